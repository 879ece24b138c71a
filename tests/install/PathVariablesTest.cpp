// Path variables and CreatePath on the real file system of the test prefix.
#include <gtest/gtest.h>

#include "install/CreatePath.h"
#include "package/PathVariables.h"
#include "tests/install/InstallTestSupport.h"

namespace {

struct ExpansionRow {
    const char* pattern;
    const char* expected;
    PathKind kind;
};

TEST(PathVariables, PatternsExpandByTheFirstVariableFoundInAnyLetterCase)
{
    PathVariables variables;
    variables.Assign(String("C:\\Themes"), "C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM");
    const ExpansionRow rows[] = {
        {"%ThemeDir%Blue.theme", "C:\\Themes\\Blue.theme", PathKind::Theme},
        {"%themedir%Blue\\a.bmp", "C:\\Themes\\Blue\\a.bmp", PathKind::Theme},
        {"%THEMEDIR%a.wav", "C:\\Themes\\a.wav", PathKind::Theme},
        {"%WinDir%Blue.ini", "C:\\WINDOWS\\Blue.ini", PathKind::System},
        {"%SysDir%Blue.dll", "C:\\WINDOWS\\SYSTEM\\Blue.dll", PathKind::System},
        {"%FontDir%Blue.ttf", "C:\\WINDOWS\\fonts\\Blue.ttf", PathKind::Font},
        {"%FontDir%%ThemeDir%x.ttf", "C:\\WINDOWS\\fonts\\%ThemeDir%x.ttf", PathKind::Font},
        {"%SysDir%x\\%ThemeDir%y.dll", "C:\\WINDOWS\\SYSTEM\\x\\%ThemeDir%y.dll", PathKind::System},
        {"%ThemeDir%a\\%ThemeDir%b.txt", "C:\\Themes\\a\\C:\\Themes\\b.txt", PathKind::Theme},
        {"Blue\\plain.txt", "Blue\\plain.txt", PathKind::None},
    };
    for (const ExpansionRow& row : rows) {
        String path(row.pattern);
        EXPECT_EQ(ExpandPathPattern(path, variables), row.kind) << row.pattern;
        EXPECT_STREQ(path.Text(), row.expected) << row.pattern;
    }
}

TEST(PathVariables, FolderValuesEndInExactlyTheBackslashesTheyShould)
{
    PathVariables variables;
    variables.Assign(String(""), "C:\\", "C:\\SYSTEM");
    EXPECT_STREQ(variables.themeDir.Text(), "");
    EXPECT_STREQ(variables.winDir.Text(), "C:\\\\");
    EXPECT_STREQ(variables.fontDir.Text(), "C:\\\\fonts\\");
    EXPECT_STREQ(variables.sysDir.Text(), "C:\\SYSTEM\\");
    String relative("%ThemeDir%name.ext");
    EXPECT_EQ(ExpandPathPattern(relative, variables), PathKind::Theme);
    EXPECT_STREQ(relative.Text(), "name.ext");

    variables.Assign(String("D:\\Themes\\"), "C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM");
    EXPECT_STREQ(variables.themeDir.Text(), "D:\\Themes\\");
}

TEST(PathVariables, BuildTakesTheSystemsOwnFolders)
{
    char windows[MAX_PATH];
    char system[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    GetSystemDirectoryA(system, MAX_PATH);
    PathVariables variables;
    variables.Build(String("D:\\Themes"));
    EXPECT_EQ(std::string(variables.winDir.Text()), std::string(windows) + "\\");
    EXPECT_EQ(std::string(variables.sysDir.Text()), std::string(system) + "\\");
    EXPECT_EQ(std::string(variables.fontDir.Text()), std::string(windows) + "\\fonts\\");
    EXPECT_STREQ(variables.themeDir.Text(), "D:\\Themes\\");
}

TEST(CreatePath, CreatesEveryMissingFolderOfAFilePath)
{
    ScratchFolder scratch;
    ASSERT_TRUE(scratch.CreateTemporary());
    ASSERT_TRUE(CreatePath((scratch / "Blue\\Sounds\\Start.wav").c_str()));
    EXPECT_TRUE(IsFolder(scratch / "Blue"));
    EXPECT_TRUE(IsFolder(scratch / "Blue\\Sounds"));
    EXPECT_FALSE(IsFolder(scratch / "Blue\\Sounds\\Start.wav"));
    // Existing folders are passed over.
    EXPECT_TRUE(CreatePath((scratch / "Blue\\Sounds\\Other.wav").c_str()));
    // A last component without an extension is a folder of its own.
    EXPECT_TRUE(CreatePath((scratch / "Blue\\README").c_str()));
    EXPECT_TRUE(IsFolder(scratch / "Blue\\README"));
}

TEST(CreatePath, FailsOnAFileInTheWayAndKeepsWhatItCreated)
{
    ScratchFolder scratch;
    ASSERT_TRUE(scratch.CreateTemporary());
    ASSERT_TRUE(CreatePath((scratch / "made\\x.txt").c_str()));
    ASSERT_TRUE(WriteFileBytes(scratch / "made\\blocker", "file"));
    EXPECT_FALSE(CreatePath((scratch / "made\\blocker\\inner\\a.txt").c_str()));
    EXPECT_TRUE(IsFolder(scratch / "made"));
    EXPECT_EQ(ReadFileBytes(scratch / "made\\blocker"), "file");
}

TEST(CreatePath, SplitsDriveFolderNameAndExtension)
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

}  // namespace
