// FileFinder and FileExists: FindFirstFileA and FindNextFileA with owned records.
#include "base/FileFinder.h"

#include <windows.h>

#include <cstring>

bool FileExists(const char* path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

FileFinder::~FileFinder()
{
    Close();
}

void FileFinder::Close()
{
    delete current;
    delete next;
    current = next = nullptr;
    hasCurrent = false;
    nextFilled = false;
    if (search != nullptr) {
        FindClose(search);
        search = nullptr;
    }
}

bool FileFinder::Find(const char* name, unsigned)
{
    Close();
    if (name == nullptr)
        name = "*.*";
    next = new WIN32_FIND_DATAA();
    std::strncpy(next->cFileName, name, MAX_PATH - 1);

    HANDLE found = FindFirstFileA(name, next);
    if (found == INVALID_HANDLE_VALUE) {
        Close();
        return false;
    }
    search = found;
    nextFilled = true;

    char* buffer = root.ReserveBuffer(MAX_PATH);
    const DWORD length = GetFullPathNameA(name, MAX_PATH, buffer, nullptr);
    if (length == 0 || length >= MAX_PATH) {
        root = "";
        Close();
        return false;
    }
    root.CommitBuffer(-1);
    const int backslash = [&] {
        int last = -1;
        for (int i = 0; i < root.Length(); ++i)
            if (root[i] == '\\' || root[i] == '/')
                last = i;
        return last;
    }();
    if (backslash >= 0)
        root = root.Left(backslash);
    return true;
}

bool FileFinder::Next()
{
    if (search == nullptr || !nextFilled)
        return false;
    if (current == nullptr)
        current = new WIN32_FIND_DATAA();
    WIN32_FIND_DATAA* filled = next;
    next = current;
    current = filled;
    hasCurrent = true;
    nextFilled = FindNextFileA(search, next) != FALSE;
    return nextFilled;
}

String FileFinder::FileName() const
{
    return String(hasCurrent ? current->cFileName : "");
}

String FileFinder::FilePath() const
{
    String path = root;
    if (path.IsEmpty() || (path[path.Length() - 1] != '\\' && path[path.Length() - 1] != '/'))
        path.Append('\\');
    path.Append(FileName().Text());
    return path;
}

String FileFinder::FileTitle() const
{
    const String name = FileName();
    const char* dot = std::strrchr(name.Text(), '.');
    return dot == nullptr ? name : name.Left(static_cast<int>(dot - name.Text()));
}

String FileFinder::FileUrl() const
{
    String url("file://");
    url.Append(FilePath().Text());
    return url;
}

bool FileFinder::HasAttributes(unsigned long mask) const
{
    return hasCurrent && (current->dwFileAttributes & mask) != 0;
}

bool FileFinder::IsDotEntry() const
{
    if (!HasAttributes(FILE_ATTRIBUTE_DIRECTORY))
        return false;
    return std::strcmp(current->cFileName, ".") == 0 || std::strcmp(current->cFileName, "..") == 0;
}
