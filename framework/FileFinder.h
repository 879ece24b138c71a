// FileFinder and FileExists: the platform's directory search behind an owning wrapper.
#pragma once

#include <windows.h>

#include "base/String.h"

// True when path (wildcards allowed: the first match decides) names a file;
// a folder never exists for this test.
bool FileExists(const char* path);

// Owns one open directory search and its two entry records. Find starts a
// search without making a match current; each Next makes the following match
// current.
class FileFinder {
public:
    FileFinder() = default;
    FileFinder(const FileFinder&) = delete;
    FileFinder& operator=(const FileFinder&) = delete;
    virtual ~FileFinder();

    // name null means "*.*". False, with the finder closed, when nothing
    // matches or the full path of name cannot be formed.
    virtual bool Find(const char* name = nullptr, unsigned unused = 0);
    // Makes the next match current; false when there is no further match after it.
    virtual bool Next();

    virtual String FileName() const;
    virtual String FilePath() const;
    virtual String FileTitle() const;
    virtual String FileUrl() const;
    virtual String Root() const { return root; }
    virtual bool HasAttributes(DWORD mask) const;
    virtual bool IsDotEntry() const;
    virtual void Close();

private:
    WIN32_FIND_DATAA* current = nullptr;
    WIN32_FIND_DATAA* next = nullptr;
    HANDLE search = nullptr;
    bool hasCurrent = false;
    // Whether the last search call filled the next record; a further Next
    // after the end must not make an unfilled record current.
    bool nextFilled = false;
    String root;
};
