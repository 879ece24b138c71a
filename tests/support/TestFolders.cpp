// TestFolders: scratch folders, path conversion and listings through the Windows file functions.
#include "tests/support/TestFolders.h"

#include <windows.h>

#include <algorithm>
#include <iterator>
#include <memory>

namespace {

std::string WithBackslash(std::string folder)
{
    if (!folder.empty() && folder.back() != '\\')
        folder.push_back('\\');
    return folder;
}

struct FindCloser {
    void operator()(HANDLE find) const { FindClose(find); }
};
using FindHandle = std::unique_ptr<void, FindCloser>;

// The search for pattern, positioned on its first entry; null when nothing matched.
FindHandle FindFirst(const std::string& pattern, WIN32_FIND_DATAA& found)
{
    const HANDLE find = FindFirstFileA(pattern.c_str(), &found);
    return FindHandle(find == INVALID_HANDLE_VALUE ? nullptr : find);
}

bool IsDotEntry(const char* name)
{
    return strcmp(name, ".") == 0 || strcmp(name, "..") == 0;
}

}  // namespace

ScratchFolder::~ScratchFolder()
{
    if (!path.empty() && !isKept)
        RemoveFolderTree(path);
}

bool ScratchFolder::Create(const std::string& folder)
{
    path.clear();
    isKept = false;
    const std::string wanted = WithBackslash(folder);
    RemoveFolderTree(wanted);
    // Each missing parent in turn; existing ones fail harmlessly.
    for (size_t end = wanted.find('\\', 3); end != std::string::npos; end = wanted.find('\\', end + 1))
        CreateDirectoryA(wanted.substr(0, end).c_str(), nullptr);
    if (GetFileAttributesA(wanted.c_str()) == INVALID_FILE_ATTRIBUTES)
        return false;
    path = wanted;
    return true;
}

bool ScratchFolder::CreateTemporary()
{
    static int counter = 0;
    for (;;) {
        const std::string candidate = SystemTemporaryFolder() + "vltest-" + std::to_string(GetCurrentProcessId()) +
                                      "-" + std::to_string(++counter);
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            path = WithBackslash(candidate);
            isKept = false;
            return true;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
}

std::string ToWindowsPath(const std::string& path)
{
    std::string converted = !path.empty() && path[0] == '/' ? "Z:" + path : path;
    std::replace(converted.begin(), converted.end(), '/', '\\');
    return converted;
}

std::string ExecutableFolder()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length < MAX_PATH ? length : 0);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string SystemTemporaryFolder()
{
    char path[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof(path), path);
    return WithBackslash(std::string(path, length <= MAX_PATH ? length : 0));
}

std::vector<std::string> ListFiles(const std::string& folder, const char* pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const FindHandle find = FindFirst(WithBackslash(folder) + pattern, found);
    if (!find)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileA(find.get(), &found));
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> NewNames(const std::vector<std::string>& before, const std::vector<std::string>& after)
{
    std::vector<std::string> added;
    std::set_difference(after.begin(), after.end(), before.begin(), before.end(), std::back_inserter(added));
    return added;
}

bool IsFolder(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool RemoveFolderTree(const std::string& path)
{
    const std::string folder = WithBackslash(path);
    WIN32_FIND_DATAA found;
    const FindHandle find = FindFirst(folder + "*", found);
    if (find) {
        do {
            if (IsDotEntry(found.cFileName))
                continue;
            const std::string child = folder + found.cFileName;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolderTree(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(find.get(), &found));
    }
    RemoveDirectoryA(folder.c_str());
    return GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES;
}

void ListTree(const std::string& folder, std::vector<std::string>& paths)
{
    WIN32_FIND_DATAA found;
    const HANDLE find = FindFirstFileA((folder + "*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = found.cFileName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            paths.push_back(folder + name);
        else if (name != "." && name != "..")
            ListTree(folder + name + "\\", paths);
    } while (FindNextFileA(find, &found));
    FindClose(find);
}
