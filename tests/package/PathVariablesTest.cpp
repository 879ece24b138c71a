// Path variables: their values and the expansion of patterns, on any system.
#include <gtest/gtest.h>

#include "package/PathVariables.h"

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
        // The values end in a separator: one written after the variable adds none.
        {"%ThemeDir%\\Blue.theme", "C:\\Themes\\Blue.theme", PathKind::Theme},
        {"%WinDir%/Blue.ini", "C:\\WINDOWS\\Blue.ini", PathKind::System},
        {"%FontDir%\\\\Blue.ttf", "C:\\WINDOWS\\fonts\\\\Blue.ttf", PathKind::Font},
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
    // An empty theme folder leaves a relative path, never one from the drive's root.
    for (const char* pattern : {"%ThemeDir%name.ext", "%ThemeDir%\\name.ext"}) {
        String relative(pattern);
        EXPECT_EQ(ExpandPathPattern(relative, variables), PathKind::Theme);
        EXPECT_STREQ(relative.Text(), "name.ext") << pattern;
    }

    variables.Assign(String("D:\\Themes\\"), "C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM");
    EXPECT_STREQ(variables.themeDir.Text(), "D:\\Themes\\");
}

}  // namespace
