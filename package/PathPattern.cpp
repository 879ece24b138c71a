// PathPattern: classification and the checks a pattern must pass.
#include "package/PathPattern.h"

#include <cstring>

#include "base/PathText.h"
#include "base/Text.h"

namespace {

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

// Names the system takes for devices in every folder, with any extension.
bool IsDeviceName(const char* name, size_t length)
{
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    size_t base = 0;
    while (base < length && name[base] != '.')
        ++base;
    for (const char* device : kDevices) {
        if (base == std::strlen(device) && StartsWithNoCase(name, device))
            return true;
    }
    // COM1 to COM9 and LPT1 to LPT9.
    return base == 4 && (StartsWithNoCase(name, "COM") || StartsWithNoCase(name, "LPT")) && name[3] >= '1' &&
           name[3] <= '9';
}

// Why one name between separators cannot be a file or folder name of its own.
const char* NameProblem(const char* name, size_t length)
{
    if (length == 0)
        return "an empty name between separators";
    for (size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (c < 0x20 || c == 0x7F)
            return "a control character";
        if (c == ':')
            return "a drive or stream (':')";
        if (std::strchr("*?\"<>|", c) != nullptr)
            return "a wildcard or reserved character";
    }
    if (name[length - 1] == '.' || name[length - 1] == ' ')
        return "a name ending in a dot or a space, such as '..'";
    if (IsDeviceName(name, length))
        return "a device name";
    return nullptr;
}

}  // namespace

PathKind ClassifyPattern(const char* pattern)
{
    for (const PathVariableName& entry : PathVariableNames) {
        if (SearchNoCase(pattern, entry.name) != nullptr)
            return entry.kind;
    }
    return PathKind::None;
}

bool IsFontFile(const char* path)
{
    const PathParts parts = SplitPath(path);
    return EqualsNoCase(parts.extension.Text(), ".ttf") || EqualsNoCase(parts.extension.Text(), ".otf");
}

size_t LeadingVariableLength(const char* pattern)
{
    for (const PathVariableName& entry : PathVariableNames) {
        if (StartsWithNoCase(pattern, entry.name))
            return std::strlen(entry.name);
    }
    return 0;
}

size_t PathBelowVariable(const char* pattern)
{
    const size_t length = LeadingVariableLength(pattern);
    return length > 0 && IsSeparator(pattern[length]) ? length + 1 : length;
}

const char* UnsafePatternReason(const char* pattern)
{
    const PathVariableName* chosen = nullptr;
    for (const PathVariableName& entry : PathVariableNames) {
        if (SearchNoCase(pattern, entry.name) != nullptr) {
            chosen = &entry;
            break;
        }
    }
    if (chosen == nullptr)
        return nullptr;
    if (!StartsWithNoCase(pattern, chosen->name))
        return "its path variable does not start it";
    const char* rest = pattern + std::strlen(chosen->name);
    // Every occurrence is replaced, and a second one would put a whole folder
    // path inside the first.
    if (SearchNoCase(rest, chosen->name) != nullptr)
        return "its path variable appears twice";
    // Every value ends in a separator, so one written after the variable
    // names the same folder; a second would start at the drive's root.
    if (IsSeparator(rest[0]))
        ++rest;
    const char* name = rest;
    for (const char* at = rest;; ++at) {
        if (*at != '\0' && !IsSeparator(*at))
            continue;
        // The last name may be empty: the pattern then names the folder itself.
        if (*at != '\0' || at != name) {
            if (const char* problem = NameProblem(name, static_cast<size_t>(at - name)))
                return problem;
        }
        if (*at == '\0')
            return nullptr;
        name = at + 1;
    }
}
