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
