// ScratchFile: a new, uniquely named file, deleted again unless it is moved into place.
#pragma once

#include "base/StdioFile.h"
#include "base/String.h"

// Owns one file it created, open for reading and writing until closed, and
// its name. The destructor closes and deletes the file unless MoveTo has
// given it its final name, so every way out of a function cleans up after it.
// From creation to deletion no other program may write to the file, rename
// or delete it (on Windows; other systems have no share modes), except for a
// moment while Seal changes the write access to read access.
class ScratchFile {
public:
    ScratchFile() = default;
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    virtual ~ScratchFile();

    // Deletes any file held before, then creates a new empty file in folder
    // ("" is the current folder) named prefix, a hexadecimal number and
    // ".tmp". It never takes over a file that exists. False when no new file
    // could be created.
    bool Create(const char* folder, const char* prefix);
    // As Create, in the system's temporary folder.
    bool CreateTemporary(const char* prefix);
    // Closes the file and renames it to target, replacing a file of that name.
    // Afterwards the object holds nothing. On failure the file, now closed,
    // is still held and deleted with the object.
    bool MoveTo(const char* target);
    // Closes the file for writing and keeps it open for reading, which lets
    // others read it by name (a library opening it, a picture loader) while
    // still keeping out writers. False when it could not be opened again.
    bool Seal();
    // Closes and deletes the file.
    void Remove();
    // Exchanges the files of two objects, so ownership can be handed on.
    void Swap(ScratchFile& other);

    bool IsCreated() const { return !path.IsEmpty(); }
    const String& Path() const { return path; }
    StdioFile& File() { return file; }

private:
    void ReleaseHold();

    StdioFile file;
    String path;
    // The read handle Seal keeps (a Windows HANDLE), or null.
    void* hold = nullptr;
};
