// End-to-end tests of the wizard: its pages and buttons, the destination's questions, a whole installation and Finish, as a user meets them.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/ExtractCheck.h"
#include "tests/e2e/TestPackage.h"
#include "tests/e2e/WizardDriver.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestFolders.h"
#include "tests/support/TestRegistry.h"

namespace {

const std::string kStubPath = ToWindowsPath(THEMESETUP_EXE);
const std::string kRecorderPath = ToWindowsPath(OPEN_RECORDER_EXE);
const std::string kPlantedFolder = ToWindowsPath(PLANTED_FOLDER) + "\\";
const char* const kPlantedLibraries[] = {"riched32.dll", "comctl32.dll", "version.dll", "shfolder.dll"};
const std::string kSignedPackagePath = ToWindowsPath(SIGNED_PACKAGE_EXE);
const std::vector<std::string> kPatterns = {"%ThemeDir%Test.theme", "%ThemeDir%Test\\Wallpaper.bmp",
                                            "%ThemeDir%Test\\Sounds\\Start.wav"};
const char kFirstButtons[] = "Back- Next+ Finish- Cancel+";
const char kMiddleButtons[] = "Back+ Next+ Finish- Cancel+";
const char kDoneButtons[] = "Back- Next- Finish+ Cancel-";
const char kReadyText[] =
    "The wizard is now ready to unpack the theme.\n\nClick Next to start unpacking the theme and its supporting files.";

PackHeadParts Parts(bool hasPreview, bool hasDescription)
{
    PackHeadParts parts;
    parts.patterns = kPatterns;
    parts.hasSideImage = true;
    parts.sideImage = BitmapFile(16, 32);
    parts.hasPreview = hasPreview;
    parts.preview = hasPreview ? BitmapFile(40, 30) : "";
    parts.hasDescription = hasDescription;
    parts.description = hasDescription ? "A test theme.\r\nSecond line." : "";
    return parts;
}

// The rich-edit log's text with its line ends as the engine wrote them.
std::string WithoutCarriageReturns(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

// Each case has a folder of its own beside the test program: the package, the
// installer's temporary folder (TMP and TEMP) and the theme folder.
class Wizard : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetInstallerRegistry();
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        ASSERT_TRUE(caseFolder.Create(ExecutableFolder() + "wizard\\" + name));
        temporaryFolder = caseFolder.Path() + "temp\\";
        themes = caseFolder.Path() + "Themes\\";
        ASSERT_TRUE(CreateDirectoryA(temporaryFolder.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(themes.c_str(), nullptr));
        // Flows go straight past the destination page unless a row says otherwise.
        ASSERT_TRUE(StoreSettingsText("ThemeDir", themes.c_str()));
    }

    void TearDown() override
    {
        ResetInstallerRegistry();
        if (HasFailure())
            caseFolder.Keep();
    }

    // Builds the package and starts it. With damageFirstEntry, the first
    // entry is stored and one of its bytes changed after its CRC was taken.
    void Start(const PackHeadParts& parts, bool damageFirstEntry = false)
    {
        std::vector<TestEntry> entries = PackageEntries(parts);
        entries[0].deflate = !damageFirstEntry;
        const std::string zip = caseFolder.Path() + "payload.zip";
        const std::string package = caseFolder.Path() + "package.exe";
        std::string payload;
        std::string error;
        ASSERT_TRUE(WriteArchive(zip, entries));
        ASSERT_TRUE(ReadFileBytes(zip, payload));
        if (damageFirstEntry) {
            // The data follows the 30-byte local header and the name.
            payload[30 + GetField16(payload, 26) + 3] ^= 0x20;
        }
        ASSERT_TRUE(AssembleTestPackage(kStubPath, payload, package, error)) << error;
        StartAsIs(package);
    }

    // Starts a package as it is, without building one.
    void StartAsIs(const std::string& package)
    {
        packagePath = package;
        themesBefore = ThemeFiles();
        std::string error;
        ASSERT_TRUE(installer.Start(package, {}, temporaryFolder, error)) << error;
        ASSERT_TRUE(wizard.WaitForWizard()) << "no wizard; exit code " << installer.ExitCode();
    }

    void Next(WizardPage expected)
    {
        ASSERT_TRUE(wizard.Click(kNextButton));
        ASSERT_TRUE(wizard.WaitForPage(expected)) << "expected " << PageName(expected) << ", on "
                                                  << PageName(wizard.CurrentPage());
    }

    void Back(WizardPage expected)
    {
        ASSERT_TRUE(wizard.Click(kBackButton));
        ASSERT_TRUE(wizard.WaitForPage(expected)) << "expected " << PageName(expected) << ", on "
                                                  << PageName(wizard.CurrentPage());
    }

    // Next on the unpack page: waits until the extraction has left only Finish.
    void Unpack()
    {
        ASSERT_EQ(wizard.CurrentPage(), WizardPage::Unpack);
        ASSERT_TRUE(wizard.Click(kNextButton));
        ASSERT_TRUE(WaitUntil([&] { return wizard.Buttons() == kDoneButtons; })) << wizard.Buttons();
        // The page's closing state, whatever the outcome: the bar full over
        // its range, no status, the animation gone.
        DWORD_PTR low = 1;
        DWORD_PTR high = 0;
        DWORD_PTR position = 0;
        ASSERT_TRUE(SendToWindow(wizard.Item(IDC_PROGRESS), PBM_GETRANGE, TRUE, 0, low));
        ASSERT_TRUE(SendToWindow(wizard.Item(IDC_PROGRESS), PBM_GETRANGE, FALSE, 0, high));
        ASSERT_TRUE(SendToWindow(wizard.Item(IDC_PROGRESS), PBM_GETPOS, 0, 0, position));
        EXPECT_EQ(low, 0u);
        EXPECT_EQ(high, 100u);
        EXPECT_EQ(position, 100u);
        EXPECT_EQ(wizard.Text(IDC_STATUS_TEXT), "");
        EXPECT_FALSE(wizard.IsVisible(IDC_ANIMATION));
        // themepack extract must write the same files from the same package.
        EXPECT_EQ(ExtractDifference(packagePath, caseFolder.Path() + "extract", {themes, "", "", ""},
                                    NewNames(themesBefore, ThemeFiles()), themesBefore),
                  "");
    }

    std::vector<std::string> ThemeFiles() const
    {
        std::vector<std::string> paths;
        ListTree(themes, paths);
        std::sort(paths.begin(), paths.end());
        return paths;
    }

    // Presses Finish or Cancel and expects the program to end as it should.
    void End(int button)
    {
        ASSERT_TRUE(wizard.Click(button));
        ASSERT_TRUE(installer.WaitForExit(kWindowTimeoutMs)) << "still running";
        EXPECT_EQ(installer.ExitCode(), 0u);
        EXPECT_EQ(ListFiles(temporaryFolder, "VLP*.tmp"), std::vector<std::string>()) << "temporary files left";
    }

    std::string Installed(const std::string& relativePath) const { return ReadFileBytes(themes + relativePath); }

    // An empty theme folder for the next row.
    void EmptyThemes()
    {
        RemoveFolderTree(themes);
        ASSERT_TRUE(CreateDirectoryA(themes.c_str(), nullptr));
    }

    ScratchFolder caseFolder;
    std::string temporaryFolder;
    std::string themes;
    std::string packagePath;
    std::vector<std::string> themesBefore;
    TestProcess installer;
    WizardDriver wizard{installer};
};

// Forward through every page the package has, back to the page the row
// cancels on, with the buttons each page shows.
TEST_F(Wizard, PagesFollowThePackageForwardAndBackAndCancelEndsCleanly)
{
    const struct {
        const char* name;
        bool hasPreview;
        bool hasDescription;
        WizardPage cancelOn;
    } rows[] = {
        {"neither", false, false, WizardPage::Welcome},
        {"preview only", true, false, WizardPage::Preview},
        {"description only", false, true, WizardPage::Description},
        {"both", true, true, WizardPage::Destination},
        {"both, cancelled last", true, true, WizardPage::Unpack},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Start(Parts(row.hasPreview, row.hasDescription));
        std::vector<WizardPage> pages = {WizardPage::Welcome};
        if (row.hasPreview)
            pages.push_back(WizardPage::Preview);
        if (row.hasDescription)
            pages.push_back(WizardPage::Description);
        pages.push_back(WizardPage::Destination);
        pages.push_back(WizardPage::Unpack);

        for (size_t i = 0; i < pages.size(); ++i) {
            ASSERT_EQ(wizard.CurrentPage(), pages[i]);
            ASSERT_TRUE(WaitUntil([&] { return wizard.Buttons() == (i == 0 ? kFirstButtons : kMiddleButtons); }))
                << PageName(pages[i]) << ": " << wizard.Buttons();
            DWORD_PTR sideImage = 0;
            EXPECT_TRUE(SendToWindow(wizard.Item(IDC_LEFT_PANEL), STM_GETIMAGE, IMAGE_BITMAP, 0, sideImage) &&
                        sideImage != 0)
                << "no side image on " << PageName(pages[i]);
            if (pages[i] == WizardPage::Preview) {
                DWORD_PTR picture = 0;
                EXPECT_TRUE(SendToWindow(wizard.Item(IDC_PREVIEW_PICTURE), STM_GETIMAGE, IMAGE_BITMAP, 0, picture) &&
                            picture != 0)
                    << "the preview did not load";
            }
            if (pages[i] == WizardPage::Welcome) {
                EXPECT_EQ(wizard.Text(IDC_WEBSITE_LINK), "http://www.vistaloom.com/");
                EXPECT_EQ(wizard.Text(IDC_MAIL_LINK), "support@vistaloom.com");
            }
            if (pages[i] == WizardPage::Description) {
                EXPECT_EQ(wizard.Text(IDC_DESCRIPTION_EDIT), "A test theme.\r\nSecond line.");
            }
            if (pages[i] == WizardPage::Unpack) {
                EXPECT_EQ(wizard.Text(IDC_MAIN_TEXT), kReadyText);
            }
            if (i + 1 < pages.size())
                Next(pages[i + 1]);
        }
        for (size_t i = pages.size() - 1; pages[i] != row.cancelOn; --i)
            Back(pages[i - 1]);
        End(kCancelButton);
        EXPECT_EQ(ListFiles(themes, "*"), std::vector<std::string>()) << "nothing installed";
    }
}

// The destination page: where its entry comes from, its two questions, and
// that the wizard cannot be driven on while a question is open.
TEST_F(Wizard, DestinationIsCheckedAtNext)
{
    const std::string missing = caseFolder.Path() + "Missing";
    const struct {
        const char* name;
        const char* storedThemeDir;  // null: none stored
        std::string shown;           // the entry when the page first shows
        std::string typed;           // "-": left as shown
        std::string question;        // "": none
        const char* answer;
        WizardPage after;
    } rows[] = {
        {"fixed default", nullptr, "C:\\Program Files\\Plus!\\Themes\\", "-",
         "Destination folder does not exist! Would you like to create it?", "&No", WizardPage::Destination},
        {"stored default", "D:\\Stored", "D:\\Stored\\", "", "Please enter a destination for the theme!", "OK",
         WizardPage::Destination},
        {"missing folder, yes", nullptr, "", missing,
         "Destination folder does not exist! Would you like to create it?", "&Yes", WizardPage::Unpack},
        {"existing folder, trailing backslash", nullptr, "", themes, "", nullptr, WizardPage::Unpack},
        {"existing folder, no backslash", nullptr, "", themes.substr(0, themes.size() - 1), "", nullptr,
         WizardPage::Unpack},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ResetInstallerRegistry();
        if (row.storedThemeDir != nullptr) {
            ASSERT_TRUE(StoreSettingsText("ThemeDir", row.storedThemeDir));
        }
        Start(Parts(false, false));
        Next(WizardPage::Destination);
        if (!row.shown.empty()) {
            EXPECT_EQ(wizard.Text(IDC_DESTINATION_EDIT), row.shown);
        }
        if (row.typed != "-") {
            ASSERT_TRUE(wizard.SetText(IDC_DESTINATION_EDIT, row.typed));
        }
        ASSERT_TRUE(wizard.Click(kNextButton));
        if (!row.question.empty()) {
            const MessageBoxView box = wizard.WaitForQuestion();
            ASSERT_TRUE(box.window) << "no question";
            EXPECT_EQ(box.text, row.question);
            EXPECT_TRUE(box.hasIcon);
            EXPECT_EQ(GetWindow(box.window, GW_OWNER), wizard.Sheet()) << "owned by the wizard";
            EXPECT_FALSE(IsWindowEnabled(wizard.Sheet())) << "the wizard waits for the answer";
            ASSERT_TRUE(wizard.Answer(box, row.answer));
            ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box.window); }));
        }
        ASSERT_TRUE(wizard.WaitForPage(row.after)) << PageName(wizard.CurrentPage());
        EXPECT_EQ(GetFileAttributesA(missing.c_str()), INVALID_FILE_ATTRIBUTES) << "the page creates no folder";
        End(kCancelButton);
    }
}

TEST_F(Wizard, NextPressedAgainWhileTheQuestionIsOpenDoesNothing)
{
    Start(Parts(false, false));
    Next(WizardPage::Destination);
    ASSERT_TRUE(wizard.SetText(IDC_DESTINATION_EDIT, caseFolder.Path() + "Missing"));
    ASSERT_TRUE(wizard.Click(kNextButton));
    const MessageBoxView box = wizard.WaitForQuestion();
    ASSERT_TRUE(box.window);
    // A hand on the mouse: the disabled wizard never sees the click.
    ASSERT_TRUE(wizard.ClickWithMouse(kNextButton));
    Sleep(1000);
    EXPECT_EQ(FindTopWindows(installer.Id(), "#32770", "Vistaloom").size(), 1u) << "a second question opened";
    ASSERT_TRUE(wizard.Answer(box, "&No"));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box.window); }));
    Sleep(1000);
    EXPECT_TRUE(FindTopWindows(installer.Id(), "#32770", "Vistaloom").empty()) << "the click came through later";
    EXPECT_EQ(wizard.CurrentPage(), WizardPage::Destination);
    End(kCancelButton);
}

// A whole installation: what lands on disk, what the page shows afterwards.
TEST_F(Wizard, InstallationWritesTheFilesAndReportsEveryProblem)
{
    const std::string content0 = "contents of " + kPatterns[0] + "\r\n";
    const struct {
        const char* name;
        bool existingTheme;   // a Test.theme of the user's is in the way
        bool damagedFirst;    // the first entry's data fails its CRC
        const char* mainText;
        std::string log;
    } rows[] = {
        {"sound package", false, false, kSuccessText, ""},
        {"theme file exists", true, false, kSuccessText,
         "Skipping '" + themes + "Test.theme'. File already exists!\n"},
        {"damaged entry", false, true, kFailureText, "Damaged file '" + kPatterns[0] + "' in package!\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EmptyThemes();
        if (row.existingTheme) {
            ASSERT_TRUE(WriteFileBytes(themes + "Test.theme", "mine"));
        }
        Start(Parts(true, true), row.damagedFirst);
        Next(WizardPage::Preview);
        Next(WizardPage::Description);
        Next(WizardPage::Destination);
        Next(WizardPage::Unpack);
        Unpack();
        EXPECT_EQ(wizard.Text(IDC_MAIN_TEXT), row.mainText);
        EXPECT_EQ(WithoutCarriageReturns(wizard.Text(IDC_LOG)), row.log);
        EXPECT_EQ(Installed("Test.theme"), row.existingTheme ? "mine" : row.damagedFirst ? "" : content0);
        EXPECT_EQ(Installed("Test\\Wallpaper.bmp"), "contents of " + kPatterns[1] + "\r\n");
        EXPECT_EQ(Installed("Test\\Sounds\\Start.wav"), "contents of " + kPatterns[2] + "\r\n");
        End(kFinishButton);
    }
}

// Finish stores the open-after-unpack choice and opens the installed theme
// with the program the .theme association names, only when the user could
// see and keep the check box.
TEST_F(Wizard, FinishStoresTheChoiceAndOpensTheThemeWhenAsked)
{
    const std::string record = kRecorderPath.substr(0, kRecorderPath.find_last_of('\\') + 1) + "opened.txt";
    const struct {
        const char* name;
        bool associated;
        int stored;  // -1: nothing stored
        bool untick;
        bool boxShown;
        DWORD storedAfter;
        bool opened;
    } rows[] = {
        {"associated, nothing stored", true, -1, false, true, 1, true},
        {"associated, ticked off", true, -1, true, true, 0, false},
        {"associated, stored 0", true, 0, false, true, 0, false},
        {"not associated", false, -1, false, false, 1, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EmptyThemes();
        DeleteFileA(record.c_str());
        ResetInstallerRegistry();
        ASSERT_TRUE(StoreSettingsText("ThemeDir", themes.c_str()));
        if (row.stored >= 0) {
            const DWORD value = static_cast<DWORD>(row.stored);
            ASSERT_TRUE(StoreSettingsValue("OpenThemeAfterUnPack", REG_DWORD, &value, sizeof value));
        }
        if (row.associated) {
            ASSERT_TRUE(AssociateThemeFiles("Vistaloom"));
            ASSERT_TRUE(SetOpenCommand("Vistaloom", ("\"" + kRecorderPath + "\" \"%1\"").c_str()));
        }
        Start(Parts(false, false));
        Next(WizardPage::Destination);
        Next(WizardPage::Unpack);
        Unpack();
        EXPECT_EQ(wizard.IsVisible(IDC_OPEN_THEME), row.boxShown);
        // The box carries the stored choice, checked when none is stored.
        EXPECT_EQ(CheckState(wizard.Item(IDC_OPEN_THEME)), row.stored == 0 ? BST_UNCHECKED : BST_CHECKED);
        if (row.untick) {
            ASSERT_TRUE(wizard.Click(IDC_OPEN_THEME));
        }
        End(kFinishButton);
        DWORD storedAfter = 99;
        EXPECT_TRUE(ReadSettingsNumber("OpenThemeAfterUnPack", storedAfter));
        EXPECT_EQ(storedAfter, row.storedAfter);
        if (row.opened) {
            EXPECT_TRUE(WaitUntil([&] { return !ReadFileBytes(record).empty(); })) << "the theme was not opened";
            EXPECT_EQ(ReadFileBytes(record), themes + "Test.theme");
        } else {
            Sleep(500);
            EXPECT_EQ(GetFileAttributesA(record.c_str()), INVALID_FILE_ATTRIBUTES) << "opened although not asked";
        }
    }
}

// A package is usually run from a downloads folder, where anything may lie
// beside it: libraries named like system ones, which the build tells Wine to
// prefer over its own. A whole installation later, none has been loaded.
TEST_F(Wizard, LibrariesBesideThePackageAreNeverLoaded)
{
    for (const char* library : kPlantedLibraries)
        ASSERT_TRUE(CopyFileA((kPlantedFolder + library).c_str(), (caseFolder.Path() + library).c_str(), FALSE));
    Start(Parts(true, true));
    Next(WizardPage::Preview);
    Next(WizardPage::Description);
    Next(WizardPage::Destination);
    Next(WizardPage::Unpack);
    Unpack();
    EXPECT_EQ(wizard.Text(IDC_MAIN_TEXT), kSuccessText);
    End(kFinishButton);
    EXPECT_EQ(ListFiles(caseFolder.Path(), "*.loaded"), std::vector<std::string>()) << "a planted library was loaded";
}

// An author signs the finished package; the signature follows the trailer,
// and the installer still finds its payload (the build verifies the
// signature once this has run).
TEST_F(Wizard, SignedPackageInstalls)
{
    StartAsIs(kSignedPackagePath);
    Next(WizardPage::Destination);
    Next(WizardPage::Unpack);
    Unpack();
    EXPECT_EQ(wizard.Text(IDC_MAIN_TEXT), kSuccessText);
    EXPECT_EQ(Installed("Signed.theme"), "contents of %ThemeDir%Signed.theme\r\n");
    EXPECT_EQ(Installed("Signed\\Wallpaper.bmp"), "contents of %ThemeDir%Signed\\Wallpaper.bmp\r\n");
    End(kFinishButton);
}

}  // namespace
