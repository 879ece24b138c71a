// WindowedFile over a stretch of a file: positions count from the stretch's start, and no read leaves it.
#include "package/WindowedFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/package/TempFile.h"

namespace {

constexpr size_t kFileSize = 200000;

// A seek as minizip makes it, then one read; what arrives is the file's
// bytes from expectedAt, expectedCount of them.
struct Row {
    const char* what;
    uint64_t start;
    uint64_t length;
    uint64_t offset;
    int origin;
    long seekResult;
    size_t count;
    size_t expectedAt;
    size_t expectedCount;
};

TEST(WindowedFile, ReadsNothingOutsideItsStretch)
{
    std::vector<unsigned char> bytes(kFileSize);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<unsigned char>(i % 251);
    TempFile file("stretch.bin");
    file.Write(bytes);

    constexpr int kSet = ZLIB_FILEFUNC_SEEK_SET;
    constexpr int kEnd = ZLIB_FILEFUNC_SEEK_END;
    const uint64_t before1000 = UINT64_MAX - 999;  // -1000, as an offset that wraps
    const Row rows[] = {
        {"whole file", 0, ToEndOfFile, 10, kSet, 0, 20, 10, 20},
        {"stretch from its own start", 1000, 5000, 0, kSet, 0, 20, 1000, 20},
        {"read cut at the stretch's end", 1000, 5000, 4990, kSet, 0, 20, 5990, 10},
        {"seek to the stretch's end", 1000, 5000, 0, kEnd, 0, 20, 6000, 0},
        {"seek past the stretch's end", 1000, 5000, 7000, kSet, 0, 20, 8000, 0},
        {"seek before the stretch's start", 100000, 5000, before1000, kSet, 0, 20, 99000, 0},
        {"seek back past the start from the end", 100000, 5000, before1000 - 5000, kEnd, 0, 20, 99000, 0},
        {"seek from the end that wraps around", 100000, 5000, UINT64_MAX, kEnd, -1, 0, 0, 0},
        {"long read past the windows, cut at the end", 1000, 70000, 0, kSet, 0, 100000, 1000, 70000},
        {"stretch running past the file's end", 150000, 100000, 0, kSet, 0, 100000, 150000, 50000},
        {"stretch starting past the file's end", 300000, ToEndOfFile, 0, kSet, 0, 20, 0, 0},
    };
    for (const Row& row : rows) {
        FileWindow window;
        window.path = file.Path();
        window.start = row.start;
        window.length = row.length;
        WindowedFile windowed;
        ASSERT_TRUE(windowed.Open(window)) << row.what;
        EXPECT_EQ(windowed.Seek(row.offset, row.origin), row.seekResult) << row.what;
        std::vector<unsigned char> got(row.count);
        got.resize(windowed.Read(got.data(), got.size()));
        const auto from = bytes.begin() + static_cast<long>(row.expectedAt);
        const std::vector<unsigned char> expected(from, from + static_cast<long>(row.expectedCount));
        EXPECT_TRUE(got == expected) << row.what << ": " << got.size() << " bytes";
        EXPECT_FALSE(windowed.HasError()) << row.what;
    }
}

}  // namespace
