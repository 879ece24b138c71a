// HostFolder: the folder part of a host path, for the packager. A file of
// its own, so that the installer does not link the string class.
#include "base/PathText.h"

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
