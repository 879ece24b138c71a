// PathPattern: classification and the checks a pattern must pass.
#include "package/PathPattern.h"

#include <cstring>

#include "base/PathText.h"
#include "base/Text.h"

PathKind ClassifyPattern(const char* pattern)
{
    for (const PathVariableName& entry : PathVariableNames) {
        if (SearchNoCase(pattern, entry.name) != nullptr)
            return entry.kind;
    }
    return PathKind::None;
}

size_t LeadingVariableLength(const char* pattern)
{
    for (const PathVariableName& entry : PathVariableNames) {
        if (StartsWithNoCase(pattern, entry.name))
            return std::strlen(entry.name);
    }
    return 0;
}

std::string PatternProblem(const std::string& pattern)
{
    if (pattern.empty())
        return "empty pattern";
    if (pattern.size() >= PatternLengthLimit)
        return "too long: " + std::to_string(pattern.size()) + " characters, a destination path holds at most " +
               std::to_string(PatternLengthLimit - 1);
    const PathKind kind = ClassifyPattern(pattern.c_str());
    if (kind == PathKind::None)
        return "no path variable (%ThemeDir%, %WinDir%, %SysDir% or %FontDir%): the installer skips it";
    const size_t variableLength = LeadingVariableLength(pattern.c_str());
    if (variableLength == 0)
        return "does not start with its path variable";
    const int lastSeparator = FindLastSeparator(pattern.c_str());
    const std::string name = pattern.substr(lastSeparator < 0 ? variableLength : static_cast<size_t>(lastSeparator) + 1);
    if (name.empty() || LeadingVariableLength(name.c_str()) == name.size())
        return "names a folder, not a file";
    if (kind == PathKind::Theme) {
        // The installer makes a folder of a theme file's name when it has no
        // extension, and then cannot write the file.
        if (name.find('.') == std::string::npos)
            return "theme file without an extension: the installer makes a folder of that name instead";
        // Only backslashes separate the folders the installer creates.
        if (pattern.find('/') != std::string::npos)
            return "'/' in a theme path: the installer creates folders only at '\\'";
    }
    return std::string();
}
