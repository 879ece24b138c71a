// PathVariables::Build: the installer's variable values, from the system's own folders.
#include "package/PathVariables.h"

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

void PathVariables::Build(const String& destination)
{
    Assign(destination, QueryFolder(GetWindowsDirectoryA).Text(), QueryFolder(GetSystemDirectoryA).Text());
}
