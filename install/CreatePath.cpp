// CreatePath: walks the folder part backslash by backslash, creating what is missing.
#include "install/CreatePath.h"

#include <windows.h>

#include <cstring>

#include "base/PathText.h"
#include "framework/FileFinder.h"

namespace {

bool StartsWithDrive(const char* path)
{
    return ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) && path[1] == ':';
}

}  // namespace

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

namespace {

// The folder CreatePath makes for path, slashes turned into backslashes.
String FolderOf(const char* path)
{
    const PathParts parts = SplitPath(path);
    String folder = parts.drive;
    folder.Append(parts.folder.Text());
    // A destination without an extension gets a folder of its own name.
    if (parts.extension.IsEmpty()) {
        folder.Append(parts.name.Text());
        folder.Append('\\');
    }
    // The system takes a slash for a backslash; so must the folder walk, or
    // a folder named with slashes would be missing when its file is written.
    folder.ReplaceNoCase("/", "\\");
    return folder;
}

// Creates every missing level of folder, which ends in a backslash.
bool CreateFolder(const String& folder)
{
    const int driveLength = StartsWithDrive(folder.Text()) ? 2 : 0;
    int start = driveLength;
    if (folder.Find("\\\\", start) == start)
        start += 2;
    else if (folder.Find("\\", start) == start)
        start += 1;

    for (int at = folder.Find("\\", start); at >= 0; at = folder.Find("\\", at + 1)) {
        const String running = folder.Left(at);
        FileFinder finder;
        bool isFolder = false;
        if (finder.Find(running.Text())) {
            finder.Next();
            isFolder = finder.HasAttributes(FILE_ATTRIBUTE_DIRECTORY);
        }
        if (!isFolder && !CreateDirectoryA(running.Text(), nullptr))
            return false;
    }
    return true;
}

}  // namespace

bool CreatePath(const char* path)
{
    return CreateFolder(FolderOf(path));
}

bool FolderMaker::Make(const char* path)
{
    String folder = FolderOf(path);
    if (!lastFolder.IsEmpty() && std::strcmp(folder.Text(), lastFolder.Text()) == 0)
        return true;
    if (!CreateFolder(folder)) {
        lastFolder = String();
        return false;
    }
    lastFolder.Swap(folder);
    return true;
}
