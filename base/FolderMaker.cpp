// CreatePath: walks the folder part separator by separator, creating what is missing.
#include "base/FolderMaker.h"

#include <cstring>

#ifdef _WIN32
#include <windows.h>

#include "base/FileFinder.h"
#else
#include <sys/stat.h>
#endif

#include "base/PathText.h"

namespace {

#ifdef _WIN32
constexpr char kSeparator[] = "\\";
constexpr char kDoubleSeparator[] = "\\\\";

// One level of the walk: a directory search for it, as the installer makes it.
bool IsFolderLevel(const String& level)
{
    FileFinder finder;
    if (!finder.Find(level.Text()))
        return false;
    finder.Next();
    return finder.HasAttributes(FILE_ATTRIBUTE_DIRECTORY);
}

bool MakeFolder(const String& level)
{
    return CreateDirectoryA(level.Text(), nullptr) != FALSE;
}
#else
constexpr char kSeparator[] = "/";
constexpr char kDoubleSeparator[] = "//";

bool IsFolderLevel(const String& level)
{
    return IsFolder(level.Text());
}

bool MakeFolder(const String& level)
{
    return mkdir(level.Text(), 0777) == 0;
}
#endif

}  // namespace

bool CreateFolders(const String& folder)
{
    const int driveLength = StartsWithDrive(folder.Text()) ? 2 : 0;
    int start = driveLength;
    if (folder.Find(kDoubleSeparator, start) == start)
        start += 2;
    else if (folder.Find(kSeparator, start) == start)
        start += 1;

    // A search per level costs a directory listing, and most levels exist:
    // the deepest level that is a folder already vouches for every level
    // above it. (A doubled separator names a level the searches never find,
    // so such a folder is walked level by level.)
    if (folder.Find(kDoubleSeparator, start) < 0) {
        const char* text = folder.Text();
        for (int at = folder.Length() - 1; at > start; --at) {
            if (text[at] == kSeparator[0] && IsFolder(folder.Left(at).Text())) {
                start = at + 1;
                break;
            }
        }
    }

    for (int at = folder.Find(kSeparator, start); at >= 0; at = folder.Find(kSeparator, at + 1)) {
        const String level = folder.Left(at);
        if (!IsFolderLevel(level) && !MakeFolder(level))
            return false;
    }
    return true;
}

bool IsFolder(const char* path)
{
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
#else
    struct stat status;
    return stat(path, &status) == 0 && S_ISDIR(status.st_mode);
#endif
}

bool CreatePath(const char* path)
{
    return CreateFolders(FolderToMake(path));
}

bool FolderMaker::Make(const char* path)
{
    String folder = FolderToMake(path);
    if (!lastFolder.IsEmpty() && std::strcmp(folder.Text(), lastFolder.Text()) == 0)
        return true;
    if (!CreateFolders(folder)) {
        lastFolder = String();
        return false;
    }
    lastFolder.Swap(folder);
    return true;
}
