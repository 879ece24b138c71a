// PathVariables: the variables' values and the fixed order of their expansion.
#include "package/PathVariables.h"

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
        if (path.ReplaceNoCase(entry.name, variables.ValueOf(entry.variable).Text()) > 0)
            return entry.kind;
    }
    return PathKind::None;
}
