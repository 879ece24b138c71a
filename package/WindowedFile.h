// WindowedFile: the archive file as minizip reads it, through one read-ahead window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include <ioapi.h>

#include "base/StdioFile.h"

// A read-only file that serves minizip's many small reads (every central
// directory record, every local header) from one 64 KiB window, so a seek
// inside the window costs no read. minizip's default functions go through
// the C runtime, whose seek drops its buffer: a package of thousands of
// entries then reads the same blocks thousands of times.
class WindowedFile {
public:
    bool Open(const char* path);
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
    size_t ReadAt(uint64_t at, unsigned char* out, size_t count);

    StdioFile file;
    std::unique_ptr<unsigned char[]> window;
    uint64_t size = 0;
    uint64_t position = 0;
    uint64_t lastAbsoluteSeek = 0;
    uint64_t windowStart = 0;
    size_t windowLength = 0;
    bool failed = false;
};

// Fills functions with file functions that open a WindowedFile; the one
// opened last is stored in *opened, which must outlive the archive.
void FillWindowedFileFunctions(zlib_filefunc64_def& functions, WindowedFile** opened);
