// CreatePath: walks the folder part backslash by backslash, creating what is missing.
#include "install/CreatePath.h"

#include <windows.h>

#include <cstring>

#include "framework/FileFinder.h"

namespace {

bool IsFolder(const String& path)
{
    const DWORD attributes = GetFileAttributesA(path.Text());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
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

    // A search per level costs a directory listing, and most levels exist:
    // the deepest level that is a folder already vouches for every level
    // above it. (A doubled backslash names a level the searches never find,
    // so such a folder is walked level by level.)
    if (folder.Find("\\\\", start) < 0) {
        const char* text = folder.Text();
        for (int at = folder.Length() - 1; at > start; --at) {
            if (text[at] == '\\' && IsFolder(folder.Left(at))) {
                start = at + 1;
                break;
            }
        }
    }

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
    return CreateFolder(FolderToMake(path));
}

bool FolderMaker::Make(const char* path)
{
    String folder = FolderToMake(path);
    if (!lastFolder.IsEmpty() && std::strcmp(folder.Text(), lastFolder.Text()) == 0)
        return true;
    if (!CreateFolder(folder)) {
        lastFolder = String();
        return false;
    }
    lastFolder.Swap(folder);
    return true;
}
