// SystemPathVariables: the Windows and system folders as the system returns them.
#include "install/SystemFolders.h"

#include <windows.h>

namespace {

String QueryFolder(UINT (WINAPI* query)(LPSTR, UINT))
{
    String folder;
    char* buffer = folder.ReserveBuffer(MAX_PATH);
    if (query(buffer, MAX_PATH) == 0)
        buffer[0] = '\0';
    folder.CommitBuffer(-1);
    return folder;
}

}  // namespace

PathVariables SystemPathVariables(const String& destination)
{
    PathVariables variables;
    variables.Assign(destination, QueryFolder(GetWindowsDirectoryA).Text(), QueryFolder(GetSystemDirectoryA).Text());
    return variables;
}
