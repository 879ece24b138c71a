// PlantedLibrary: a library a download folder might hold under a system library's name; it leaves a mark when loaded.
#include <windows.h>

#include <cstring>

// Creates "planted-library-loaded.txt" beside itself, so a test can see that
// a program loaded it instead of the system's own library.
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(instance, path, MAX_PATH);
    char* name = length > 0 && length < MAX_PATH ? std::strrchr(path, '\\') : nullptr;
    if (name == nullptr || static_cast<size_t>(name - path) + 32 >= MAX_PATH)
        return TRUE;
    std::strcpy(name + 1, "planted-library-loaded.txt");
    HANDLE mark = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (mark != INVALID_HANDLE_VALUE)
        CloseHandle(mark);
    return TRUE;
}
