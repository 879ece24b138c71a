// End-to-end test of the wizard's wording: on every page of the sample package, each text fits its control in the pages' font.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/WizardDriver.h"
#include "tests/support/TestFolders.h"
#include "tests/support/TestRegistry.h"

namespace {

const std::string kStubPath = ToWindowsPath(THEMESETUP_EXE);
const std::string kThemepackPath = ToWindowsPath(THEMEPACK_EXE);
const std::string kSamplePackageFile = ToWindowsPath(SAMPLE_FOLDER "/Aurora.themepack");
constexpr DWORD kPackTimeoutMs = 60000;
const char kDoneButtons[] = "Back- Next- Finish+ Cancel-";

// The font every page's template names; the resource test pins it.
constexpr int kPagePointSize = 8;
constexpr char kPageFace[] = "MS Sans Serif";

// The sample's font: Wine lists the system's copy, but another test may have
// taken that entry away, and then the installation adds both.
constexpr char kSampleFontFile[] = "DejaVuSans.ttf";
constexpr char kSampleFontEntry[] = "DejaVu Sans (TrueType)";
constexpr char kFontList[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";

// Wine cannot send WM_GETFONT to another process, and the handle would mean
// nothing here: GDI handles belong to their process. So the test creates the
// font the templates name, at the screen's resolution as the dialog manager
// does, and selects it into a screen device context for as long as it lives.
class PageFont {
public:
    PageFont()
    {
        dc = GetDC(nullptr);
        font = CreateFontA(-MulDiv(kPagePointSize, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_DONTCARE, FALSE,
                           FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, kPageFace);
        previous = SelectObject(dc, font);
    }
    PageFont(const PageFont&) = delete;
    PageFont& operator=(const PageFont&) = delete;
    ~PageFont()
    {
        SelectObject(dc, previous);
        DeleteObject(font);
        ReleaseDC(nullptr, dc);
    }

    // The extent of text laid out with flags in a box width pixels wide.
    SIZE Measure(const std::string& text, int width, UINT flags) const
    {
        RECT box = {0, 0, width, 0};
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box, flags | DT_CALCRECT);
        return {box.right - box.left, box.bottom - box.top};
    }
    // How far a check box's label starts from its left edge. Wine: the box
    // is 12 pixels at 96 DPI plus one, the label starts half a digit after it
    // and one pixel further in.
    int CheckBoxIndent() const
    {
        INT digitWidth = 0;
        GetCharWidth32A(dc, '0', '0', &digitWidth);
        return MulDiv(12, GetDeviceCaps(dc, LOGPIXELSX), 96) + 1 + digitWidth / 2 + 1;
    }

private:
    HDC dc = nullptr;
    HFONT font = nullptr;
    HGDIOBJ previous = nullptr;
};

// How a control lays out its text, as DrawText flags, and the room its text
// has in pixels; false for controls that do not lay out a text of their own
// (pictures, push buttons, edits).
bool TextLayout(const Control& control, const PageFont& font, UINT& flags, SIZE& room)
{
    RECT client;
    GetClientRect(control.handle, &client);
    room = {client.right, client.bottom};
    if (control.className == "Static") {
        switch (control.style & SS_TYPEMASK) {
        case SS_LEFT:
            flags = DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS;
            break;
        case SS_CENTER:
            flags = DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS;
            break;
        case SS_RIGHT:
            flags = DT_RIGHT | DT_WORDBREAK | DT_EXPANDTABS;
            break;
        case SS_SIMPLE:
            flags = DT_LEFT | DT_SINGLELINE;
            break;
        case SS_LEFTNOWORDWRAP:
            flags = DT_LEFT | DT_EXPANDTABS;
            break;
        default:
            return false;
        }
        if (control.style & SS_NOPREFIX)
            flags |= DT_NOPREFIX;
        return true;
    }
    const LONG_PTR type = control.style & BS_TYPEMASK;
    const bool isCheckBox = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
                            type == BS_AUTO3STATE || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
    if (control.className == "Button" && isCheckBox) {
        flags = (control.style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
        room.cx -= font.CheckBoxIndent();
        return true;
    }
    return false;
}

// One row for each visible text control of the sheet whose text needs more
// room than it has; each control measured joins measured.
std::string Misfits(HWND sheet, const char* page, const PageFont& font, std::vector<HWND>& measured)
{
    std::string rows;
    for (const Control& control : ListControls(sheet)) {
        UINT flags = 0;
        SIZE room = {};
        if (!control.isVisible || control.text.empty() || !TextLayout(control, font, flags, room))
            continue;
        measured.push_back(control.handle);
        const SIZE needed = font.Measure(control.text, room.cx, flags);
        if (needed.cx > room.cx || needed.cy > room.cy) {
            rows += std::string(page) + " \"" + control.text + "\" needs " + std::to_string(needed.cx) + "x" +
                    std::to_string(needed.cy) + ", has " + std::to_string(room.cx) + "x" + std::to_string(room.cy) +
                    "\n";
        }
    }
    return rows;
}

std::string SampleFontPath()
{
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, MAX_PATH);
    return std::string(windows) + "\\Fonts\\" + kSampleFontFile;
}

// The font list's entry for the sample's font; empty when there is none.
std::string SampleFontEntry()
{
    char file[MAX_PATH] = "";
    DWORD size = sizeof file;
    const LONG result =
        RegGetValueA(HKEY_LOCAL_MACHINE, kFontList, kSampleFontEntry, RRF_RT_REG_SZ, nullptr, file, &size);
    return result == ERROR_SUCCESS ? file : "";
}

// Takes away what the installation adds to the prefix: the settings, the
// association and, when it was not there before, the sample's font.
class TextFit : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetInstallerRegistry();
        hadFontFile = GetFileAttributesA(SampleFontPath().c_str()) != INVALID_FILE_ATTRIBUTES;
        hadFontEntry = !SampleFontEntry().empty();
    }
    void TearDown() override
    {
        ResetInstallerRegistry();
        if (!hadFontFile)
            DeleteFileA(SampleFontPath().c_str());
        HKEY fonts = nullptr;
        if (!hadFontEntry && RegOpenKeyExA(HKEY_LOCAL_MACHINE, kFontList, 0, KEY_SET_VALUE, &fonts) == ERROR_SUCCESS) {
            RegDeleteValueA(fonts, kSampleFontEntry);
            RegCloseKey(fonts);
        }
    }

    bool hadFontFile = false;
    bool hadFontEntry = false;
};

// The sample theme packed by themepack from its own package file, installed
// through every page with the open-theme box showing. Texts the installer sets
// while it runs are measured where they show: the links at the start, the
// closing text and the box at the end. The status line has a text only while
// the extraction runs, when the installer answers no message.
TEST_F(TextFit, EveryTextOnEveryPageFitsItsControl)
{
    ScratchFolder caseFolder;
    ASSERT_TRUE(caseFolder.Create(ExecutableFolder() + "textfit"));
    const std::string themes = caseFolder / "Themes\\";
    const std::string package = caseFolder / "Aurora.exe";
    ASSERT_TRUE(CreateDirectoryA(themes.c_str(), nullptr));
    TestProcess themepack;
    std::string error;
    ASSERT_TRUE(themepack.Start(kThemepackPath, {"build", kSamplePackageFile, "--stub", kStubPath, "-o", package}, "",
                                error))
        << error;
    ASSERT_TRUE(themepack.WaitForExit(kPackTimeoutMs));
    ASSERT_EQ(themepack.ExitCode(), 0u) << "themepack build failed";

    ASSERT_TRUE(StoreSettingsText("ThemeDir", themes.c_str()));
    const DWORD unchecked = 0;  // Finish then opens nothing
    ASSERT_TRUE(StoreSettingsValue("OpenThemeAfterUnPack", REG_DWORD, &unchecked, sizeof unchecked));
    ASSERT_TRUE(AssociateThemeFiles("Vistaloom"));
    TestProcess installer;
    ASSERT_TRUE(installer.Start(package, {}, caseFolder.Path(), error)) << error;
    WizardDriver wizard(installer);
    ASSERT_TRUE(wizard.WaitForWizard());
    const PageFont font;

    // The installer sized each link to its text with the control's own font.
    // The same extents here show that the test measures with that font.
    const HWND links[] = {wizard.Item(IDC_WEBSITE_LINK), wizard.Item(IDC_MAIL_LINK)};
    for (HWND link : links) {
        RECT client;
        ASSERT_TRUE(GetClientRect(link, &client));
        const std::string text = WindowText(link);
        const SIZE extent = font.Measure(text, client.right, DT_SINGLELINE);
        EXPECT_EQ(std::to_string(extent.cx) + "x" + std::to_string(extent.cy),
                  std::to_string(client.right) + "x" + std::to_string(client.bottom))
            << text << " measures otherwise in the test's font";
    }

    std::string misfits;
    std::vector<HWND> measured;
    const WizardPage pages[] = {WizardPage::Welcome, WizardPage::Preview, WizardPage::Description,
                                WizardPage::Destination, WizardPage::Unpack};
    for (WizardPage page : pages) {
        ASSERT_TRUE(wizard.WaitForPage(page)) << "expected " << PageName(page);
        misfits += Misfits(wizard.Sheet(), PageName(page), font, measured);
        // On the unpack page, Next unpacks.
        ASSERT_TRUE(wizard.Click(kNextButton));
    }
    ASSERT_TRUE(WaitUntil([&] { return wizard.Buttons() == kDoneButtons; })) << wizard.Buttons();
    const HWND openThemeBox = wizard.Item(IDC_OPEN_THEME);
    EXPECT_TRUE(IsWindowVisible(openThemeBox)) << "no open-theme box after: " << wizard.Text(IDC_MAIN_TEXT);
    misfits += Misfits(wizard.Sheet(), "finished", font, measured);

    EXPECT_EQ(misfits, "");
    for (HWND setAtRunTime : {links[0], links[1], openThemeBox}) {
        EXPECT_NE(std::find(measured.begin(), measured.end(), setAtRunTime), measured.end())
            << "not measured: " << ClassName(setAtRunTime) << " \"" << WindowText(setAtRunTime) << "\"";
    }
    ASSERT_TRUE(wizard.Click(kFinishButton));
    EXPECT_TRUE(installer.WaitForExit(kWindowTimeoutMs));
}

}  // namespace
