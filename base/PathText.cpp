// PathText: separator searches and the parts of a Windows path.
#include "base/PathText.h"

#include <cstring>

int FindLastSeparator(const char* path)
{
    int last = -1;
    for (int i = 0; path[i] != '\0'; ++i) {
        if (path[i] == '\\' || path[i] == '/')
            last = i;
    }
    return last;
}

bool StartsWithDrive(const char* path)
{
    return ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) && path[1] == ':';
}

PathParts SplitPath(const char* path)
{
    PathParts parts;
    const char* rest = path;
    if (StartsWithDrive(rest)) {
        parts.drive = String(path).Left(2);
        rest += 2;
    }
    const int lastSeparator = FindLastSeparator(rest);
    const char* file = rest;
    if (lastSeparator >= 0) {
        parts.folder = String(rest).Left(lastSeparator + 1);
        file = rest + lastSeparator + 1;
    }
    const char* dot = std::strrchr(file, '.');
    if (dot != nullptr) {
        parts.name = String(file).Left(static_cast<int>(dot - file));
        parts.extension = dot;
    } else {
        parts.name = file;
    }
    return parts;
}

String FolderToMake(const char* path)
{
    const PathParts parts = SplitPath(path);
    String folder = parts.drive;
    folder.Append(parts.folder.Text());
    // A destination without an extension gets a folder of its own name.
    if (parts.extension.IsEmpty()) {
        folder.Append(parts.name.Text());
#ifdef _WIN32
        folder.Append('\\');
#else
        folder.Append('/');
#endif
    }
#ifdef _WIN32
    // The system takes a slash for a backslash; so must the folder walk, or
    // a folder named with slashes would be missing when its file is written.
    folder.ReplaceNoCase("/", "\\");
#endif
    return folder;
}
