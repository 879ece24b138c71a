// ReadProgramVersion on real Windows programs, and on images that lie about their headers.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "base/StdioFile.h"
#include "package/ProgramVersion.h"
#include "tests/support/TestFiles.h"

namespace {

bool ReadVersionOf(const std::string& path, ProgramVersion& version)
{
    StdioFile file;
    uint64_t size = 0;
    if (!file.Open(path.c_str(), "rb") || !file.Seek(0, SEEK_END, size))
        return false;
    return ReadProgramVersion(file, size, version);
}

TEST(ProgramVersion, ProgramsOfOthersAndCutOrBrokenImages)
{
#ifdef _WIN32
    const std::string explorer = "C:\\windows\\explorer.exe";
#else
    const std::string explorer = "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/explorer.exe";
#endif
    const std::string image = ReadFileBytes(explorer);
    ASSERT_GT(image.size(), 4096u) << "wine64 provides " << explorer;
    ProgramVersion version;
    ASSERT_TRUE(ReadVersionOf(explorer, version));
    EXPECT_EQ(version.machine, 0x8664);
    EXPECT_TRUE(version.hasVersion) << "Wine's programs carry a version record";

    const std::string scratch = ::testing::TempDir() + "vlversion.exe";
    const struct {
        const char* what;
        std::string bytes;
        bool isProgram;
    } rows[] = {
        {"cut after its headers", image.substr(0, 1024), true},
        {"no program", "PK\x03\x04 not a program at all", false},
        {"header offset past the end", image.substr(0, 0x3C) + "\xF0\xFF\xFF\x7F" + image.substr(0x40, 200), false},
    };
    for (const auto& row : rows) {
        ASSERT_TRUE(WriteFileBytes(scratch, row.bytes));
        ProgramVersion cut;
        EXPECT_EQ(ReadVersionOf(scratch, cut), row.isProgram) << row.what;
        EXPECT_FALSE(cut.hasVersion) << row.what;
    }
    std::remove(scratch.c_str());
}

}  // namespace
