// Settings in the real registry of the test prefix: defaults, types and the .theme association.
#include <gtest/gtest.h>

#include <string>

#include "install/RegistryKey.h"
#include "install/Settings.h"
#include "tests/support/TestRegistry.h"

namespace {

// Removes the settings key and the .theme association before and after each test.
class Settings : public ::testing::Test {
protected:
    void SetUp() override { ResetInstallerRegistry(); }
    void TearDown() override { ResetInstallerRegistry(); }

    static void StoreRaw(const char* name, DWORD type, const void* data, DWORD size)
    {
        ASSERT_TRUE(StoreSettingsValue(name, type, data, size));
    }

    static void StoreText(const char* name, DWORD type, const char* text)
    {
        StoreRaw(name, type, text, static_cast<DWORD>(strlen(text) + 1));
    }
};

TEST_F(Settings, MissingKeyGivesTheDefaultFolderAndCreatesTheKey)
{
    String folder;
    LoadDefaultThemeDir(folder);
    EXPECT_STREQ(folder.Text(), "C:\\Program Files\\Plus!\\Themes\\");
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKeyPath, 0, KEY_READ, &key), ERROR_SUCCESS);
    if (key != nullptr)
        RegCloseKey(key);
}

TEST_F(Settings, StoredThemeDirEndsInOneAddedBackslash)
{
    struct Row {
        const char* stored;
        const char* expected;
    };
    const Row rows[] = {
        {"", "\\"},
        {"D:\\Themes", "D:\\Themes\\"},
        {"D:\\Themes\\", "D:\\Themes\\"},
        {"D:\\Themes\\\\", "D:\\Themes\\\\"},
    };
    for (const Row& row : rows) {
        StoreText("ThemeDir", REG_SZ, row.stored);
        String folder;
        LoadDefaultThemeDir(folder);
        EXPECT_STREQ(folder.Text(), row.expected) << "stored: " << row.stored;
    }
}

TEST_F(Settings, ExpandableThemeDirIsExpanded)
{
    char windows[MAX_PATH];
    GetEnvironmentVariableA("WINDIR", windows, MAX_PATH);
    StoreText("ThemeDir", REG_EXPAND_SZ, "%WINDIR%\\Themes");
    String folder;
    LoadDefaultThemeDir(folder);
    EXPECT_EQ(std::string(folder.Text()), std::string(windows) + "\\Themes\\");
}

TEST_F(Settings, ExpansionLongerThanAPathCountsAsMissing)
{
    SetEnvironmentVariableA("VLTEST_LONG", std::string(300, 'x').c_str());
    StoreText("ThemeDir", REG_EXPAND_SZ, "C:\\%VLTEST_LONG%");
    String folder;
    LoadDefaultThemeDir(folder);
    EXPECT_STREQ(folder.Text(), DefaultThemeDir);
    SetEnvironmentVariableA("VLTEST_LONG", nullptr);
}

TEST_F(Settings, ThemeDirOfAnotherTypeCountsAsMissing)
{
    const DWORD number = 7;
    StoreRaw("ThemeDir", REG_DWORD, &number, sizeof number);
    String folder;
    LoadDefaultThemeDir(folder);
    EXPECT_STREQ(folder.Text(), DefaultThemeDir);
    StoreRaw("ThemeDir", REG_BINARY, "D:\\X", 5);
    LoadDefaultThemeDir(folder);
    EXPECT_STREQ(folder.Text(), DefaultThemeDir);
}

TEST_F(Settings, ValueWithoutTerminatingZeroIsReadWhole)
{
    StoreRaw("ThemeDir", REG_SZ, "D:\\Plain", 8);
    String folder;
    LoadDefaultThemeDir(folder);
    EXPECT_STREQ(folder.Text(), "D:\\Plain\\");
}

TEST_F(Settings, OpenThemeAfterUnpackDefaultsToOnAndIsStoredAsDword)
{
    EXPECT_TRUE(LoadOpenThemeAfterUnpack());
    StoreText("OpenThemeAfterUnPack", REG_SZ, "0");
    EXPECT_TRUE(LoadOpenThemeAfterUnpack()) << "a string counts as missing";
    const DWORD five = 5;
    StoreRaw("OpenThemeAfterUnPack", REG_DWORD, &five, sizeof five);
    EXPECT_TRUE(LoadOpenThemeAfterUnpack());

    StoreOpenThemeAfterUnpack(false);
    EXPECT_FALSE(LoadOpenThemeAfterUnpack());
    RegistryKey key;
    ASSERT_TRUE(OpenSettingsKey(key));
    DWORD value = 9;
    EXPECT_TRUE(key.QueryDword("OpenThemeAfterUnPack", value));
    EXPECT_EQ(value, 0u);
    StoreOpenThemeAfterUnpack(true);
    EXPECT_TRUE(key.QueryDword("OpenThemeAfterUnPack", value));
    EXPECT_EQ(value, 1u);
}

TEST_F(Settings, ThemeAssociationMustNameTheThemeManagerInAnyCase)
{
    EXPECT_FALSE(ThemeFilesOpenWithThemeManager()) << "no .theme key";
    ASSERT_TRUE(AssociateThemeFiles("VISTALOOM"));
    EXPECT_TRUE(ThemeFilesOpenWithThemeManager());
    ASSERT_TRUE(AssociateThemeFiles("themefile"));
    EXPECT_FALSE(ThemeFilesOpenWithThemeManager());
}

TEST_F(Settings, ReadsWithoutAnOpenKeyGiveEmptyResults)
{
    RegistryKey key;
    String text("old");
    DWORD number = 3;
    EXPECT_FALSE(key.QueryString("x", text));
    EXPECT_STREQ(text.Text(), "");
    EXPECT_FALSE(key.QueryDword("x", number));
    EXPECT_EQ(number, 0u);
    EXPECT_FALSE(key.Open(HKEY_CURRENT_USER, "Software\\Vistaloom\\Missing", false));
    EXPECT_FALSE(key.IsOpen());
}

}  // namespace
