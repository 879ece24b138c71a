// PathText: the parts of a Windows path, on any system.
#include <gtest/gtest.h>

#include "base/PathText.h"

namespace {

TEST(PathText, SplitsDriveFolderNameAndExtension)
{
    const PathParts parts = SplitPath("C:\\Themes/Blue\\Start.sound.wav");
    EXPECT_STREQ(parts.drive.Text(), "C:");
    EXPECT_STREQ(parts.folder.Text(), "\\Themes/Blue\\");
    EXPECT_STREQ(parts.name.Text(), "Start.sound");
    EXPECT_STREQ(parts.extension.Text(), ".wav");
    const PathParts bare = SplitPath("name");
    EXPECT_STREQ(bare.folder.Text(), "");
    EXPECT_STREQ(bare.name.Text(), "name");
    EXPECT_STREQ(bare.extension.Text(), "");
}

TEST(PathText, FolderToMakeTakesANameWithoutExtensionForAFolder)
{
#ifdef _WIN32
    EXPECT_STREQ(FolderToMake("C:\\Themes/Blue\\Start.wav").Text(), "C:\\Themes\\Blue\\");
    EXPECT_STREQ(FolderToMake("C:\\Themes\\README").Text(), "C:\\Themes\\README\\");
#else
    EXPECT_STREQ(FolderToMake("/themes/Blue/Start.wav").Text(), "/themes/Blue/");
    EXPECT_STREQ(FolderToMake("/themes/README").Text(), "/themes/README/");
#endif
    EXPECT_STREQ(FolderToMake("Start.wav").Text(), "");
}

}  // namespace
