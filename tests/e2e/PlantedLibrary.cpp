// PlantedLibrary: a library a download folder might hold under a system library's name; it leaves a mark when loaded.
#include <windows.h>

#include <cstring>

// Creates "<its own file name>.loaded" beside itself, so a test can see that
// a program loaded it instead of the system's own library.
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(instance, path, MAX_PATH);
    if (length == 0 || length + 8 >= MAX_PATH)
        return TRUE;
    std::strcpy(path + length, ".loaded");
    HANDLE mark = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (mark != INVALID_HANDLE_VALUE)
        CloseHandle(mark);
    return TRUE;
}
