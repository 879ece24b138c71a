// InstallerCommandLine: "S" in any letter case sets silent; other switches are dropped.
#include "app/InstallerCommandLine.h"

#include <cstring>

void InstallerCommandLine::ParseArgument(const char* text, bool isSwitch, bool isLast)
{
    if (isSwitch) {
        if ((text[0] == 'S' || text[0] == 's') && text[1] == '\0')
            silent = 1;
        return;
    }
    CommandLineInfo::ParseArgument(text, false, isLast);
}
