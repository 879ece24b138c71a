// FileFinder and FileExists on the real file system.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "base/FileFinder.h"

namespace {

// A folder with one file and one sub-folder, removed afterwards.
class Folder : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temporary[MAX_PATH];
        GetTempPathA(MAX_PATH, temporary);
        root = std::string(temporary) + "vlfinder-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(root.c_str(), nullptr);
        CreateDirectoryA((root + "\\Sub").c_str(), nullptr);
        HANDLE file = CreateFileA((root + "\\Blue.theme").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        CloseHandle(file);
    }
    void TearDown() override
    {
        DeleteFileA((root + "\\Blue.theme").c_str());
        RemoveDirectoryA((root + "\\Sub").c_str());
        RemoveDirectoryA(root.c_str());
    }
    std::string root;
};

TEST_F(Folder, FileExistsHoldsForFilesOnlyAndTheFirstWildcardMatchDecides)
{
    EXPECT_TRUE(FileExists((root + "\\Blue.theme").c_str()));
    EXPECT_TRUE(FileExists((root + "\\*.theme").c_str()));
    EXPECT_FALSE(FileExists((root + "\\Sub").c_str())) << "a folder never exists for this test";
    EXPECT_FALSE(FileExists(root.c_str()));
    EXPECT_FALSE(FileExists((root + "\\Missing.theme").c_str()));
}

TEST_F(Folder, FindMakesNoMatchCurrentUntilNext)
{
    FileFinder finder;
    ASSERT_TRUE(finder.Find(root.c_str()));
    EXPECT_STREQ(finder.FileName().Text(), "");
    EXPECT_FALSE(finder.HasAttributes(FILE_ATTRIBUTE_DIRECTORY));

    EXPECT_FALSE(finder.Next()) << "one match only";
    EXPECT_TRUE(finder.HasAttributes(FILE_ATTRIBUTE_DIRECTORY));
    // The root is the name cut at its last separator; the path puts the name back.
    EXPECT_STREQ(finder.FilePath().Text(), root.c_str());
    EXPECT_FALSE(finder.Next()) << "no further Next after the end";
    EXPECT_STREQ(finder.FilePath().Text(), root.c_str()) << "the last match stays current";
}

TEST_F(Folder, FinderWalksAFolderWithNamesTitlesAndUrls)
{
    FileFinder finder;
    ASSERT_TRUE(finder.Find((root + "\\*.*").c_str()));
    EXPECT_STREQ(finder.Root().Text(), root.c_str());
    int files = 0;
    int dots = 0;
    for (bool more = true; more;) {
        more = finder.Next();
        if (finder.IsDotEntry()) {
            ++dots;
        } else if (!finder.HasAttributes(FILE_ATTRIBUTE_DIRECTORY)) {
            ++files;
            EXPECT_STREQ(finder.FileName().Text(), "Blue.theme");
            EXPECT_STREQ(finder.FileTitle().Text(), "Blue");
            EXPECT_EQ(std::string(finder.FileUrl().Text()), "file://" + root + "\\Blue.theme");
        }
    }
    EXPECT_EQ(files, 1);
    EXPECT_EQ(dots, 2);
    EXPECT_FALSE(finder.Find((root + "\\*.none").c_str()));
    EXPECT_FALSE(finder.Next()) << "a failed Find leaves the finder closed";
}

}  // namespace
