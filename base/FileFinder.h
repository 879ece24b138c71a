// FileFinder and FileExists: the Windows directory search behind an owning wrapper.
#pragma once

#include "base/String.h"

// The system's record of one directory entry.
struct _WIN32_FIND_DATAA;

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
    // mask holds FILE_ATTRIBUTE_ flags.
    virtual bool HasAttributes(unsigned long mask) const;
    virtual bool IsDotEntry() const;
    virtual void Close();

private:
    _WIN32_FIND_DATAA* current = nullptr;
    _WIN32_FIND_DATAA* next = nullptr;
    void* search = nullptr;  // the search's HANDLE
    bool hasCurrent = false;
    // Whether the last search call filled the next record; a further Next
    // after the end must not make an unfilled record current.
    bool nextFilled = false;
    String root;
};
