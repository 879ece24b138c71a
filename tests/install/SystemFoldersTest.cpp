// The installer's path variables: the system's own folders.
#include <gtest/gtest.h>

#include "install/SystemFolders.h"
#include "tests/install/InstallTestSupport.h"

namespace {

TEST(SystemFolders, VariablesTakeTheSystemsOwnFolders)
{
    char windows[MAX_PATH];
    char system[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    GetSystemDirectoryA(system, MAX_PATH);
    const PathVariables variables = SystemPathVariables(String("D:\\Themes"));
    EXPECT_EQ(std::string(variables.winDir.Text()), std::string(windows) + "\\");
    EXPECT_EQ(std::string(variables.sysDir.Text()), std::string(system) + "\\");
    EXPECT_EQ(std::string(variables.fontDir.Text()), std::string(windows) + "\\fonts\\");
    EXPECT_STREQ(variables.themeDir.Text(), "D:\\Themes\\");
}

}  // namespace
