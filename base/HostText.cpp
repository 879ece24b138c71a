// HostText: quoting, and host paths split as the host splits them.
#include "base/HostText.h"

std::string Quoted(const std::string& text)
{
    return "'" + text + "'";
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
