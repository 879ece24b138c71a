// FileWindow: the stretch of a file that an archive lies in.
#pragma once

#include <cstdint>

// A length that reaches to the end of the file.
constexpr uint64_t ToEndOfFile = UINT64_MAX;

// A file and the stretch of it that holds an archive: from start, length
// bytes or to the end of the file, whichever comes first. The archive's own
// offsets count from start, and nothing outside the stretch is ever read:
// the archive's directory may point anywhere, but it cannot point out.
struct FileWindow {
    const char* path = nullptr;
    uint64_t start = 0;
    uint64_t length = ToEndOfFile;
};
