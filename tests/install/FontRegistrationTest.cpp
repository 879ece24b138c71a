// Font registration under Wine: files in the fonts folder, the font list, the running system, one broadcast.
#include <gtest/gtest.h>

#include "install/ExtractFiles.h"
#include "install/FontRegistration.h"
#include "tests/install/InstallTestSupport.h"

namespace {

const char kDejaVu[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const char kNtFonts[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";

// Counts WM_FONTCHANGE broadcasts on a hidden top-level window.
class FontChangeListener {
public:
    FontChangeListener()
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "VlFontChangeListener";
        RegisterClassA(&windowClass);
        window = CreateWindowExA(0, windowClass.lpszClassName, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                 windowClass.hInstance, nullptr);
        count = 0;
    }
    ~FontChangeListener() { DestroyWindow(window); }
    static int count;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_FONTCHANGE)
            ++count;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    HWND window = nullptr;
};
int FontChangeListener::count = 0;

std::string FontsFolder()
{
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    return std::string(windows) + "\\fonts\\";
}

std::string FontListValue(const char* name)
{
    char data[MAX_PATH] = "";
    DWORD size = sizeof data;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kNtFonts, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "<no key>";
    const LONG result = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? data : "<missing>";
}

void ForgetFont(const std::string& file, const char* listName)
{
    RemoveFontResourceA((FontsFolder() + file).c_str());
    DeleteFileA((FontsFolder() + file).c_str());
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kNtFonts, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, listName);
        RegCloseKey(key);
    }
}

class Fonts : public ::testing::Test {
protected:
    void SetUp() override
    {
        font = ReadFileBytes(ToWindowsPath(kDejaVu));
        ASSERT_GT(font.size(), 1000u) << "fonts-dejavu-core provides " << kDejaVu;
        ASSERT_TRUE(work.CreateTemporary());
        // Wine lists the system's own copy; it is put back afterwards.
        wineEntry = FontListValue("DejaVu Sans (TrueType)");
        Cleanup();
    }
    void TearDown() override
    {
        Cleanup();
        HKEY key = nullptr;
        const bool wasListed = !wineEntry.empty() && wineEntry[0] != '<';
        if (wasListed && RegOpenKeyExA(HKEY_LOCAL_MACHINE, kNtFonts, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
            RegSetValueExA(key, "DejaVu Sans (TrueType)", 0, REG_SZ, reinterpret_cast<const BYTE*>(wineEntry.c_str()),
                           static_cast<DWORD>(wineEntry.size() + 1));
            RegCloseKey(key);
        }
    }
    void Cleanup()
    {
        ForgetFont("vltest-sans.ttf", "DejaVu Sans (TrueType)");
        ForgetFont("vltest-sans.otf", "DejaVu Sans (TrueType)");
        ForgetFont("vltest-sans.fon", "DejaVu Sans (TrueType)");
    }

    bool Run(const std::vector<TestEntry>& entries, const std::vector<std::string>& patterns)
    {
        EXPECT_TRUE(WriteArchive(work / "fonts.zip", entries));
        StringList list;
        FillPatterns(list, patterns);
        const ExtractionOutcome outcome =
            ExtractFiles(page, String((work / "fonts.zip").c_str()), list, String(work.Path().c_str()));
        fontsRegistered = outcome.fontsRegistered;
        return outcome.success;
    }

    std::string font;
    std::string wineEntry;
    ScratchFolder work;
    RecordingPage page;
    bool fontsRegistered = false;
};

const TestEntry kPackHead = {"PackHead", std::string(16, '\0')};

TEST_F(Fonts, NtFamilySystemsUseTheWindowsNtFontList)
{
    EXPECT_EQ(DetectWindowsVersion(), WindowsNT6OrLater) << "Wine reports an NT system of version 6 or later";
    EXPECT_STREQ(FontListKey(WindowsNT6OrLater), kNtFonts);
    EXPECT_STREQ(FontListKey(Windows2000), kNtFonts);
    EXPECT_STREQ(FontListKey(Windows98), "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fonts");
    EXPECT_STREQ(FontListKey(WindowsUnknown), "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fonts");
}

TEST_F(Fonts, TrueTypeFontIsWrittenListedUnderItsFullNameLoadedAndAnnouncedOnce)
{
    FontChangeListener listener;
    EXPECT_TRUE(Run({{"a", font}, kPackHead}, {"%FontDir%vltest-sans.ttf"}));
    EXPECT_EQ(ReadFileBytes(FontsFolder() + "vltest-sans.ttf"), font);
    EXPECT_EQ(FontListValue("DejaVu Sans (TrueType)"), "vltest-sans.ttf");
    EXPECT_TRUE(page.log.empty());
    EXPECT_TRUE(fontsRegistered);
    EXPECT_EQ(FontChangeListener::count, 1);
}

TEST_F(Fonts, OpenTypeFontIsListedAsTrueTypeToo)
{
    EXPECT_TRUE(Run({{"a", font}, kPackHead}, {"%FontDir%vltest-sans.otf"}));
    EXPECT_EQ(FontListValue("DejaVu Sans (TrueType)"), "vltest-sans.otf");
}

TEST_F(Fonts, ExistingFontOrOtherFileTypeIsLeftAlone)
{
    ASSERT_TRUE(WriteFileBytes(FontsFolder() + "vltest-sans.ttf", "mine"));
    FontChangeListener listener;
    EXPECT_TRUE(Run({{"a", font}, {"b", font}, kPackHead}, {"%FontDir%vltest-sans.ttf", "%FontDir%vltest-sans.fon"}));
    EXPECT_EQ(ReadFileBytes(FontsFolder() + "vltest-sans.ttf"), "mine");
    EXPECT_EQ(GetFileAttributesA((FontsFolder() + "vltest-sans.fon").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(FontListValue("DejaVu Sans (TrueType)"), "<missing>");
    EXPECT_TRUE(page.log.empty());
    EXPECT_FALSE(fontsRegistered);
    EXPECT_EQ(FontChangeListener::count, 0) << "nothing was registered";
}

TEST_F(Fonts, RunThatFailsLaterKeepsTheFontButDoesNotBroadcast)
{
    FontChangeListener listener;
    EXPECT_FALSE(Run({{"a", font}}, {"%FontDir%vltest-sans.ttf", "%ThemeDir%missing.txt"}));
    EXPECT_EQ(FontListValue("DejaVu Sans (TrueType)"), "vltest-sans.ttf");
    EXPECT_EQ(FontChangeListener::count, 0);
}

// A font the system lists already, from whatever file, is installed: its
// entry and the fonts folder stay as they were, and the run succeeds. A font
// the list could not name is written and reported, not loaded.
TEST_F(Fonts, InstalledFontIsKeptAndUnnamedFontIsReported)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, kNtFonts, &key), ERROR_SUCCESS);
    RegSetValueExA(key, "DejaVu Sans (TrueType)", 0, REG_SZ, reinterpret_cast<const BYTE*>("installed.ttf"), 14);
    RegCloseKey(key);
    FontChangeListener listener;
    EXPECT_TRUE(Run({{"a", font}, kPackHead}, {"%FontDir%vltest-sans.ttf"}));
    EXPECT_EQ(FontListValue("DejaVu Sans (TrueType)"), "installed.ttf") << "the installed font's entry stays";
    EXPECT_EQ(GetFileAttributesA((FontsFolder() + "vltest-sans.ttf").c_str()), INVALID_FILE_ATTRIBUTES)
        << "no second copy";
    EXPECT_EQ(page.log, (std::vector<std::string>{"Skipping '" + FontsFolder() +
                                                  "vltest-sans.ttf'. Font is installed already!\n"}));

    page.log.clear();
    EXPECT_FALSE(Run({{"b", "no font at all"}, kPackHead}, {"%FontDir%vltest-sans.otf"}));
    EXPECT_EQ(page.log, (std::vector<std::string>{"Font '" + FontsFolder() +
                                                  "vltest-sans.otf' has no usable name and was not registered!\n"}));
    EXPECT_EQ(ReadFileBytes(FontsFolder() + "vltest-sans.otf"), "no font at all") << "written, as the package asked";
    EXPECT_EQ(FontChangeListener::count, 0) << "nothing was loaded";
}

}  // namespace
