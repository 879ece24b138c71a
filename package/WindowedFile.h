// WindowedFile: the archive file as minizip reads it, through one read-ahead window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include <ioapi.h>

#include "base/StdioFile.h"
#include "package/FileWindow.h"

// A read-only file that serves minizip's many small reads (every central
// directory record, every local header) from read-ahead windows of 64 KiB,
// so a seek inside a window costs no read. minizip's default functions go
// through the C runtime, whose seek drops its buffer: a package of thousands
// of entries then reads the same blocks thousands of times. There are two
// windows because unpacking alternates between two places: the central
// directory and the entry's data. The file may be a stretch of a larger one
// (a package's payload): positions count from the stretch's start, and its
// end is the file's end.
class WindowedFile {
public:
    bool Open(const FileWindow& window);
    // Bytes delivered; fewer than count at the end of the file or on error.
    size_t Read(unsigned char* out, size_t count);
    // minizip's seek: 0 on success, -1 for a position that cannot be.
    long Seek(uint64_t offset, int origin);
    uint64_t Position() const { return position; }
    // Where the last seek from the start of the file went: minizip seeks so
    // to each central directory record before it reads it.
    uint64_t LastAbsoluteSeek() const { return lastAbsoluteSeek; }
    bool HasError() const { return failed; }

private:
    struct Window {
        std::unique_ptr<unsigned char[]> bytes;
        uint64_t start = 0;
        size_t length = 0;
        bool Holds(uint64_t at) const { return at >= start && at - start < length; }
    };

    // Fills the window used least recently with the bytes around a read of
    // count bytes at position.
    Window& Load(size_t count);
    size_t ReadAt(uint64_t at, unsigned char* out, size_t count);

    StdioFile file;
    // Where the stretch starts in the file.
    uint64_t base = 0;
    Window windows[2];
    // Which window served last: the other one is filled next.
    int lastUsed = 0;
    // The stretch's length: no read goes past it.
    uint64_t size = 0;
    uint64_t position = 0;
    uint64_t lastAbsoluteSeek = 0;
    bool failed = false;
};

// Fills functions with file functions that open a WindowedFile; the one
// opened last is stored in *opened, which must outlive the archive. What
// minizip passes to them as the path is a FileWindow.
void FillWindowedFileFunctions(zlib_filefunc64_def& functions, WindowedFile** opened);
