// ScratchFile: a uniquely named work file that is removed again unless it is moved into place.
#pragma once

#include <string>

#include "framework/StdioFile.h"

// Owns one newly created file, open for reading and writing, and its name.
// The destructor closes and deletes the file unless MoveTo has given it its
// final name, so every early return cleans up after itself.
class ScratchFile {
public:
    ScratchFile() = default;
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    virtual ~ScratchFile();

    // Deletes any file held before, then creates a new empty file in folder
    // ("" is the current folder). False when no new file could be created.
    bool Create(const std::string& folder);
    // As Create, in the system's temporary folder.
    bool CreateTemporary();
    // Closes the file and renames it to target, replacing a file of that name.
    // Afterwards the object holds nothing. On failure the file, now closed,
    // is still held and deleted with the object.
    bool MoveTo(const std::string& target);
    // Closes and deletes the file.
    void Remove();

    const std::string& Path() const { return path; }
    StdioFile& File() { return file; }

    // The folder part of a path, ending in its separator; "" for a bare name.
    static std::string FolderOf(const std::string& path);

private:
    StdioFile file;
    std::string path;
};
