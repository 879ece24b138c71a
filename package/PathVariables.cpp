// PathVariables: the variables' values and the fixed order of their expansion.
#include "package/PathVariables.h"

#include <cstring>

#include "base/Text.h"

void PathVariables::Assign(const String& destination, const char* windowsFolder, const char* systemFolder)
{
    themeDir = destination;
    if (!themeDir.IsEmpty() && themeDir[themeDir.Length() - 1] != '\\')
        themeDir.Append('\\');
    // Appended unconditionally: a Windows folder at a drive root gives "C:\\".
    winDir = windowsFolder;
    winDir.Append('\\');
    sysDir = systemFolder;
    sysDir.Append('\\');
    fontDir.Format("%s\\fonts\\", windowsFolder);
}

const String& PathVariables::ValueOf(PathVariable variable) const
{
    switch (variable) {
    case PathVariable::FontDir:
        return fontDir;
    case PathVariable::SysDir:
        return sysDir;
    case PathVariable::WinDir:
        return winDir;
    case PathVariable::ThemeDir:
        break;
    }
    return themeDir;
}

PathKind ExpandPathPattern(String& path, const PathVariables& variables)
{
    for (const PathVariableName& entry : PathVariableNames) {
        // The value ends in its separator: one written after the variable is
        // dropped, or an empty %ThemeDir% would leave the drive's root.
        const size_t length = std::strlen(entry.name);
        if (StartsWithNoCase(path.Text(), entry.name) && PathBelowVariable(path.Text()) > length) {
            String joined = path.Left(static_cast<int>(length));
            joined.Append(path.Text() + length + 1);
            path.Swap(joined);
        }
        if (path.ReplaceNoCase(entry.name, variables.ValueOf(entry.variable).Text()) > 0)
            return entry.kind;
    }
    return PathKind::None;
}
