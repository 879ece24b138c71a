// OpenRecorder: stands in for the theme manager as the program .theme files open with, and notes what it was asked to open.
#include <windows.h>

#include <cstdio>
#include <string>

// Writes its first argument to "opened.txt" beside itself; the test reads it
// back to see that the shell ran it with the installed theme's path.
int main(int argc, char** argv)
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string record(path, length < MAX_PATH ? length : 0);
    record = record.substr(0, record.find_last_of('\\') + 1) + "opened.txt";
    FILE* file = std::fopen(record.c_str(), "wb");
    if (file == nullptr)
        return 1;
    if (argc > 1)
        std::fputs(argv[1], file);
    std::fclose(file);
    return 0;
}
