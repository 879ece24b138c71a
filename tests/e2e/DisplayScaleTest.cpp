// End-to-end test of the wizard at 100, 150 and 200% display scale: texts fit, pictures fill their frames, the bar keeps its shading, the sheet stays centred.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>

#include "res/resource.h"
#include "tests/e2e/ScreenPicture.h"
#include "tests/e2e/TestPackage.h"
#include "tests/e2e/WizardDriver.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestFolders.h"
#include "tests/support/TestRegistry.h"

namespace {

const std::string kStubPath = ToWindowsPath(THEMESETUP_EXE);
const std::string kTextFitTestsPath = ToWindowsPath(TEXT_FIT_TESTS_EXE);
const std::string kSampleFolder = ToWindowsPath(SAMPLE_FOLDER) + "\\";
// ImageMagick's own picture of a rose, written as a bitmap file at build time.
const std::string kRosePath = ToWindowsPath(ROSE_BMP);
constexpr DWORD kTextFitTimeoutMs = 180000;
const char kDoneButtons[] = "Back- Next- Finish+ Cancel-";

constexpr DWORD kDefaultDpi = 96;
constexpr char kDesktopKey[] = "Control Panel\\Desktop";

bool StoreLogPixels(DWORD dpi)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const LONG result =
        RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

// Wine reads the display scale from the user's desktop settings when a
// program starts, so every program started while this object lives draws at
// dpi. 96 goes back when it goes, whichever way the test ends; should the
// test program itself die, the run's display_scale_reset puts it back.
class DisplayScale {
public:
    explicit DisplayScale(DWORD dpi) : isSet(StoreLogPixels(dpi)) {}
    DisplayScale(const DisplayScale&) = delete;
    DisplayScale& operator=(const DisplayScale&) = delete;
    ~DisplayScale() { StoreLogPixels(kDefaultDpi); }

    const bool isSet;
};

int Scaled(int length, DWORD dpi)
{
    return MulDiv(length, static_cast<int>(dpi), static_cast<int>(kDefaultDpi));
}

// A picture's size at dpi in a frame: grown with the scale, no further than
// the frame holds it whole, never below its own size; cut to the frame.
SIZE Fitted(SIZE picture, DWORD dpi, SIZE frame)
{
    const double fit = std::min(double(frame.cx) / picture.cx, double(frame.cy) / picture.cy);
    const double scale = std::min(double(dpi) / kDefaultDpi, std::max(fit, 1.0));
    return {std::min(LONG(picture.cx * scale + 0.5), frame.cx), std::min(LONG(picture.cy * scale + 0.5), frame.cy)};
}

// The smallest rectangle holding every pixel of picture unlike its top-left
// one, the colour a centred picture control fills its margin with.
RECT Drawn(const ScreenPicture& picture)
{
    const COLORREF margin = picture.Pixel(0, 0);
    RECT drawn = {picture.Width(), picture.Height(), 0, 0};
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            if (picture.Pixel(x, y) == margin)
                continue;
            drawn = {std::min<LONG>(drawn.left, x), std::min<LONG>(drawn.top, y), std::max<LONG>(drawn.right, x + 1),
                     std::max<LONG>(drawn.bottom, y + 1)};
        }
    }
    return drawn;
}

COLORREF Shifted(COLORREF color, int delta)
{
    const auto clamp = [](int value) { return value < 0 ? 0 : value > 255 ? 255 : value; };
    return RGB(clamp(GetRValue(color) + delta), clamp(GetGValue(color) + delta), clamp(GetBValue(color) + delta));
}

// The tones of a picture of the drawn bar down its middle, top to bottom, as runs
// of the bar's palette entries: "4x2" is two rows of the first darker tone.
// The fill (entry 3) is written "3x*": its height is the control's.
std::string BarProfile(const ScreenPicture& bar)
{
    const COLORREF base = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF tones[] = {base, Shifted(base, 51), Shifted(base, 102), Shifted(base, 153), Shifted(base, -51),
                              Shifted(base, -102)};
    std::string profile;
    char run = 0;
    int length = 0;
    const auto close = [&] {
        if (length > 0)
            profile += std::string(profile.empty() ? "" : " ") + run + "x" + (run == '3' ? "*" : std::to_string(length));
    };
    for (int y = 0; y < bar.Height(); ++y) {
        const COLORREF pixel = bar.Pixel(bar.Width() / 2, y);
        char name = '?';
        for (int entry = 0; name == '?' && entry < 6; ++entry)
            name = pixel == tones[entry] ? static_cast<char>('0' + entry) : '?';
        if (name != run) {
            close();
            run = name;
            length = 0;
        }
        ++length;
    }
    close();
    return profile;
}

// Where the sheet belongs: centred in the work area and, where it does not
// fit, against its top-left corner.
POINT CentredIn(const RECT& work, const RECT& window)
{
    const auto place = [](LONG low, LONG high, LONG size) {
        const LONG at = (low + high) / 2 - size / 2;
        return at < low ? low : at + size > high ? high - size : at;
    };
    return {place(work.left, work.right, window.right - window.left),
            place(work.top, work.bottom, window.bottom - window.top)};
}

class DisplayScaleTest : public ::testing::Test {
protected:
    void SetUp() override { ResetInstallerRegistry(); }
    void TearDown() override { ResetInstallerRegistry(); }
};

// Each row walks a package through every page at one display scale, after
// the text-fit test has measured the sample's pages at that scale.
TEST_F(DisplayScaleTest, PagesAreLaidOutAndDrawnForTheScale)
{
    const struct {
        const char* name;
        DWORD dpi;
        std::string sideImagePath, previewPath;
        SIZE sideImage, preview;
        bool isPreviewFitted;
        const char* barProfile;
    } rows[] = {
        {"100%", 96, kSampleFolder + "side.bmp", kSampleFolder + "preview.bmp", {120, 292}, {300, 225}, false,
         "4x1 0x1 1x1 2x1 3x* 2x1 1x1 0x1 4x1 5x1"},
        {"150%", 144, kSampleFolder + "side.bmp", kSampleFolder + "preview.bmp", {120, 292}, {300, 225}, false,
         "4x2 0x1 1x2 2x1 3x* 2x2 1x1 0x2 4x1 5x2"},
        {"200%", 192, kSampleFolder + "side.bmp", kSampleFolder + "preview.bmp", {120, 292}, {300, 225}, true,
         "4x2 0x2 1x2 2x2 3x* 2x2 1x2 0x2 4x2 5x2"},
        {"150%, a rose as the preview", 144, kSampleFolder + "side.bmp", kRosePath, {120, 292}, {70, 46}, false,
         "4x2 0x1 1x2 2x1 3x* 2x2 1x1 0x2 4x1 5x2"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const DisplayScale scale(row.dpi);
        ASSERT_TRUE(scale.isSet);

        TestProcess textFit;
        std::string error;
        ASSERT_TRUE(textFit.Start(kTextFitTestsPath, {}, "", error)) << error;
        ASSERT_TRUE(textFit.WaitForExit(kTextFitTimeoutMs));
        EXPECT_EQ(textFit.ExitCode(), 0u) << "a text does not fit";

        ScratchFolder caseFolder;
        ASSERT_TRUE(caseFolder.Create(ExecutableFolder() + "scale" + std::to_string(row.dpi)));
        const std::string themes = caseFolder / "Themes\\";
        ASSERT_TRUE(CreateDirectoryA(themes.c_str(), nullptr));
        ASSERT_TRUE(StoreSettingsText("ThemeDir", themes.c_str()));
        PackHeadParts parts;
        parts.patterns = {"%ThemeDir%Scale\\Scale.theme"};
        parts.hasSideImage = parts.hasPreview = true;
        ASSERT_TRUE(ReadFileBytes(row.sideImagePath, parts.sideImage));
        ASSERT_TRUE(ReadFileBytes(row.previewPath, parts.preview));
        const std::string zip = caseFolder / "payload.zip";
        const std::string package = caseFolder / "Scale.exe";
        std::string payload;
        ASSERT_TRUE(WriteArchive(zip, PackageEntries(parts)));
        ASSERT_TRUE(ReadFileBytes(zip, payload));
        ASSERT_TRUE(AssembleTestPackage(kStubPath, payload, package, error)) << error;

        TestProcess installer;
        ASSERT_TRUE(installer.Start(package, {}, caseFolder.Path(), error)) << error;
        WizardDriver wizard(installer);
        ASSERT_TRUE(wizard.WaitForWizard());
        ASSERT_TRUE(wizard.WaitForPage(WizardPage::Welcome));

        RECT window = {};
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof monitor;
        ASSERT_TRUE(GetWindowRect(wizard.Sheet(), &window));
        ASSERT_TRUE(GetMonitorInfoA(MonitorFromWindow(wizard.Sheet(), MONITOR_DEFAULTTOPRIMARY), &monitor));
        const POINT centred = CentredIn(monitor.rcWork, window);
        EXPECT_EQ(std::to_string(centred.x) + "," + std::to_string(centred.y),
                  std::to_string(window.left) + "," + std::to_string(window.top))
            << "the sheet is not centred";

        // The side image fills its frame as at 100%, centred.
        ScreenPicture panel;
        ASSERT_TRUE(WaitUntil([&] { return panel.Take(ClientOnScreen(wizard.Item(IDC_LEFT_PANEL))); }));
        const SIZE shown = Fitted(row.sideImage, row.dpi, {panel.Width(), panel.Height()});
        const RECT drawn = Drawn(panel);
        EXPECT_EQ(std::to_string(shown.cx) + "x" + std::to_string(shown.cy),
                  std::to_string(drawn.right - drawn.left) + "x" + std::to_string(drawn.bottom - drawn.top))
            << "side image in a frame of " << panel.Width() << "x" << panel.Height();
        // Centred, an odd pixel to either side.
        EXPECT_NEAR(drawn.left, (panel.Width() - shown.cx) / 2, 1) << "side image";
        EXPECT_NEAR(drawn.top, (panel.Height() - shown.cy) / 2, 1) << "side image";

        // The preview control sizes itself to its picture: scaled, or where
        // the page's frame is smaller, as large as the frame holds it whole.
        ASSERT_TRUE(wizard.Click(kNextButton));
        ASSERT_TRUE(wizard.WaitForPage(WizardPage::Preview));
        RECT preview = {};
        ASSERT_TRUE(GetWindowRect(wizard.Item(IDC_PREVIEW_PICTURE), &preview));
        const SIZE scaledPreview = {Scaled(row.preview.cx, row.dpi), Scaled(row.preview.cy, row.dpi)};
        const SIZE shownPreview = {preview.right - preview.left, preview.bottom - preview.top};
        if (row.isPreviewFitted) {
            EXPECT_LT(shownPreview.cy, scaledPreview.cy) << "preview height";
            EXPECT_NEAR(shownPreview.cx, shownPreview.cy * row.preview.cx / row.preview.cy, 1) << "preview width";
        } else {
            EXPECT_EQ(scaledPreview.cx, shownPreview.cx) << "preview width";
            EXPECT_EQ(scaledPreview.cy, shownPreview.cy) << "preview height";
        }

        ASSERT_TRUE(wizard.Click(kNextButton));
        ASSERT_TRUE(wizard.WaitForPage(WizardPage::Destination));
        ASSERT_TRUE(wizard.Click(kNextButton));
        ASSERT_TRUE(wizard.WaitForPage(WizardPage::Unpack));
        ASSERT_TRUE(wizard.Click(kNextButton));
        ASSERT_TRUE(WaitUntil([&] { return wizard.Buttons() == kDoneButtons; })) << wizard.Buttons();
        // One column down the middle of the bar.
        RECT column = ClientOnScreen(wizard.Item(IDC_PROGRESS));
        column.left = (column.left + column.right) / 2;
        column.right = column.left + 1;
        ScreenPicture bar;
        std::string profile;
        // The full bar is painted once the run has ended; give it a moment.
        WaitUntil([&] {
            profile = bar.Take(column) ? BarProfile(bar) : "";
            return profile == row.barProfile;
        }, 3000);
        EXPECT_EQ(row.barProfile, profile) << "the bar's shading, " << bar.Height() << " rows";
        ASSERT_TRUE(wizard.Click(kFinishButton));
        EXPECT_TRUE(installer.WaitForExit(kWindowTimeoutMs));
        if (HasFailure())
            caseFolder.Keep();
    }
}

// Run on its own after the test above, however that ended.
TEST(DisplayScaleReset, PutsBackOneHundredPercent)
{
    EXPECT_TRUE(StoreLogPixels(kDefaultDpi));
}

}  // namespace
