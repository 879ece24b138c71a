// CreatePath: walks the folder part backslash by backslash, creating what is missing.
#include "install/CreatePath.h"

#include <windows.h>

#include <cstring>

#include "base/PathText.h"
#include "framework/FileFinder.h"

PathParts SplitPath(const char* path)
{
    PathParts parts;
    const char* rest = path;
    if (((rest[0] >= 'A' && rest[0] <= 'Z') || (rest[0] >= 'a' && rest[0] <= 'z')) && rest[1] == ':') {
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

bool CreatePath(const char* path)
{
    const PathParts parts = SplitPath(path);
    String folder = parts.folder;
    // A destination without an extension gets a folder of its own name.
    if (parts.extension.IsEmpty()) {
        folder.Append(parts.name.Text());
        folder.Append('\\');
    }

    // The system takes a slash for a backslash; so must the folder walk, or
    // a folder named with slashes would be missing when its file is written.
    folder.ReplaceNoCase("/", "\\");

    String running = parts.drive;
    int start = 0;
    if (folder.Find("\\\\", 0) == 0) {
        start = 2;
        running.Append("\\\\");
    } else if (folder.Find("\\", 0) == 0) {
        start = 1;
        running.Append('\\');
    }

    int previous = start;
    for (int at = folder.Find("\\", start); at >= 0; at = folder.Find("\\", at + 1)) {
        running.Append(folder.Mid(previous, at - previous).Text());
        FileFinder finder;
        bool isFolder = false;
        if (finder.Find(running.Text())) {
            finder.Next();
            isFolder = finder.HasAttributes(FILE_ATTRIBUTE_DIRECTORY);
        }
        if (!isFolder && !CreateDirectoryA(running.Text(), nullptr))
            return false;
        previous = at;
    }
    return true;
}
