// PathText: separator searches.
#include "base/PathText.h"

int FindLastSeparator(const char* path)
{
    int last = -1;
    for (int i = 0; path[i] != '\0'; ++i) {
        if (path[i] == '\\' || path[i] == '/')
            last = i;
    }
    return last;
}

std::string FolderOf(const std::string& path)
{
#ifdef _WIN32
    const size_t separator = path.find_last_of("/\\:");
#else
    // A backslash is an ordinary character in a Linux file name.
    const size_t separator = path.find_last_of('/');
#endif
    if (separator == std::string::npos)
        return std::string();
    return path.substr(0, separator + 1);
}
