// PatternProblem: the installer's refusals and what else would not install as named.
#include "package/PatternProblem.h"

#include "base/PathText.h"
#include "package/PathPattern.h"

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
    if (const char* unsafe = UnsafePatternReason(pattern.c_str()))
        return std::string(unsafe) + ": the installer refuses it";
    const size_t pathStart = PathBelowVariable(pattern.c_str());
    const int lastSeparator = FindLastSeparator(pattern.c_str() + pathStart);
    const std::string name = pattern.substr(pathStart + static_cast<size_t>(lastSeparator + 1));
    if (name.empty() || LeadingVariableLength(name.c_str()) == name.size())
        return "names a folder, not a file";
    if (kind == PathKind::Theme) {
        // The installer makes a folder of a theme file's name when it has no
        // extension, and then cannot write the file.
        if (name.find('.') == std::string::npos)
            return "theme file without an extension: the installer makes a folder of that name instead";
    }
    return std::string();
}
