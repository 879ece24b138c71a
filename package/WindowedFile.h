// WindowedFile: the archive file as minizip reads it, through one read-ahead window.
#pragma once

#include <ioapi.h>

// Fills functions with file functions that serve minizip's many small reads
// (every central directory record, every local header) from one 64 KiB
// window of the file, so a seek inside the window costs no read. minizip's
// default functions go through the C runtime, whose seek drops its buffer:
// a package of thousands of entries then reads the same blocks thousands of
// times. Read-only.
void FillWindowedFileFunctions(zlib_filefunc64_def& functions);
