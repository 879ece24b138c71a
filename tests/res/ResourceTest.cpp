// ResourceTest: the built installer carries its manifest, page templates, wizard caption, icons and version record.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "ProductVersion.h"
#include "res/resource.h"
#include "tests/support/TestFolders.h"

namespace {

const std::string kInstallerPath = ToWindowsPath(THEMESETUP_EXE);

// Styles spelled as numbers, so a wrong flag name in the resource script shows.
const DWORD kPageStyle = 0x48C00040;      // child, disabled, caption, font given
const DWORD kText = 0x50020000;           // visible child, left text, group
const DWORD kRightText = 0x50020002;      // the same, right-aligned
const DWORD kLink = 0x50020100;           // left text that is told about clicks
const DWORD kScrollingText = 0x50B108C4;  // read-only multi-line text, both scroll bars
const WORD kNoId = 0xFFFF;
const char kSixLines[] = "(six lines)";  // the feature list is our own wording: only its shape is fixed

struct Control { WORD id; std::string className, text; short x, y, cx, cy; DWORD style; };
struct Page { WORD templateId; std::vector<Control> controls; };

// Every page starts with its left panel, where the side image goes: visible child, bitmap, centred, sunken.
const Control kLeftPanel = {IDC_LEFT_PANEL, "STATIC", "", 0, 0, 80, 180, 0x5000120E};

const Page kPages[] = {
    {IDD_UNPACK, {
        {IDC_MAIN_TEXT, "STATIC", "The wizard is now ready to unpack the theme.\n\nClick Next to start unpacking "
                                  "the theme and its supporting files.", 85, 5, 225, 30, kText},
        {IDC_STATUS_TEXT, "STATIC", "", 85, 47, 225, 10, kText},
        {IDC_ANIMATION, "SysAnimate32", "Animate1", 85, 61, 225, 24, 0x50010007},
        {IDC_PROGRESS, "msctls_progress32", "Progress1", 85, 90, 225, 10, 0x50000000},
        {kNoId, "STATIC", "&Log:", 85, 100, 15, 8, kText},
        {IDC_LOG, "RICHEDIT", "", 85, 110, 225, 70, kScrollingText},
        {IDC_OPEN_THEME, "BUTTON", "&Open the unpacked theme", 85, 60, 101, 10, 0x40010003}}},
    {IDD_WELCOME, {
        {kNoId, "STATIC", "This theme package was created with Vistaloom, the best theme management software "
                          "for Windows 95/98/NT/2000.", 90, 5, 212, 18, kText},
        {kNoId, "STATIC", "Vistaloom includes complete support for every theme element. Some of the features "
                          "include:", 90, 30, 215, 17, kText},
        {kNoId, "STATIC", kSixLines, 100, 50, 152, 50, kText},
        {kNoId, "STATIC", "This wizard helps you install the theme onto your computer.", 90, 105, 210, 10, kText},
        {kNoId, "STATIC", "Please contact the author of the theme for questions regarding the theme itself. For "
                          "questions regarding the theme package or Vistaloom, please visit the website below.",
         90, 120, 205, 25, kText},
        {kNoId, "STATIC", "Website:", 90, 155, 30, 8, kRightText},
        {IDC_WEBSITE_LINK, "STATIC", "Website", 125, 155, 175, 8, kLink},
        {kNoId, "STATIC", "E-Mail:", 95, 165, 25, 8, kRightText},
        {IDC_MAIL_LINK, "STATIC", "Email", 125, 165, 180, 8, kLink}}},
    {IDD_DESCRIPTION, {
        {IDC_DESCRIPTION_EDIT, "EDIT", "", 85, 5, 220, 170, kScrollingText}}},
    {IDD_PREVIEW, {
        {kNoId, "STATIC", "Here is a quick preview of the theme contained in this package.", 85, 5, 225, 8, kText},
        {IDC_PREVIEW_PICTURE, "STATIC", "", 85, 15, 205, 145, 0x5000180E}}},  // bitmap at real size, sunken
    {IDD_DESTINATION, {
        {kNoId, "STATIC", "The theme will be installed to the following folder. Click Browse to specify a different "
                          "folder.", 85, 5, 220, 18, kText},
        {IDC_DESTINATION_EDIT, "EDIT", "", 85, 25, 170, 14, 0x50810080},  // border, tab stop, scrolls sideways
        {IDC_BROWSE, "BUTTON", "&Browse...", 260, 25, 50, 14, 0x50010000},
        {kNoId, "STATIC", "Click Next to continue.", 85, 45, 225, 8, kText}}},
};

// A control as one line of text, so a failed comparison shows every field.
std::string Describe(const Control& control)
{
    // Class names in capitals: windres writes them so, and the system ignores their case.
    std::string className = control.className;
    for (char& c : className)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    char numbers[80];
    std::snprintf(numbers, sizeof numbers, "%u %d,%d %dx%d 0x%08lX", unsigned{control.id}, control.x, control.y,
                  control.cx, control.cy, static_cast<unsigned long>(control.style));
    return std::string(numbers) + " " + className + " \"" + control.text + "\"";
}

// Bytes per row of a bitmap: rows are padded to whole 32-bit words.
int Stride(int width, int bits) { return (width * bits + 31) / 32 * 4; }

// Reads a resource field by field; past its end it reads zeros.
class ResourceReader {
public:
    ResourceReader(const BYTE* data, DWORD size) : begin(data), at(data), end(data + size) {}
    DWORD Remaining() const { return static_cast<DWORD>(end - at); }

    BYTE Byte() { return at == end ? 0 : *at++; }
    WORD Word() { WORD low = Byte(); return static_cast<WORD>(low | Byte() << 8); }
    DWORD Dword() { DWORD low = Word(); return low | static_cast<DWORD>(Word()) << 16; }
    // A string, or an ordinal (0xFFFF and a number): a predefined class's name or "#n".
    std::string NameOrOrdinal()
    {
        WORD first = Word();
        if (first == 0xFFFF) {
            WORD ordinal = Word();
            const char* const classes[] = {"BUTTON", "EDIT", "STATIC", "LISTBOX", "SCROLLBAR", "COMBOBOX"};
            return ordinal >= 0x80 && ordinal <= 0x85 ? classes[ordinal - 0x80] : "#" + std::to_string(ordinal);
        }
        std::string text;
        for (WORD c = first; c != 0; c = Word())
            text += static_cast<char>(c);  // the texts are plain ASCII
        return text;
    }
    void Skip(DWORD bytes) { at += std::min(bytes, Remaining()); }
    // Each control of a template starts on a 4-byte boundary.
    void AlignToDword() { Skip(static_cast<DWORD>((4 - (at - begin) % 4) % 4)); }

private:
    const BYTE* begin;
    const BYTE* at;
    const BYTE* end;
};

class InstallerResources : public testing::Test {
protected:
    static void SetUpTestSuite() { module = LoadLibraryExA(kInstallerPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE); }
    static void TearDownTestSuite() { FreeLibrary(module); }
    void SetUp() override { ASSERT_NE(nullptr, module) << "cannot load " << kInstallerPath; }

    // A reader of the resource's bytes; of none when it is missing.
    static ResourceReader Read(LPCSTR type, WORD id)
    {
        HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), type);
        HGLOBAL loaded = info != nullptr ? LoadResource(module, info) : nullptr;
        const BYTE* data = loaded != nullptr ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
        return ResourceReader(data, data != nullptr ? SizeofResource(module, info) : 0);
    }

    static HMODULE module;
};

HMODULE InstallerResources::module = nullptr;

TEST_F(InstallerResources, EveryPageHasItsControlsWithTheirTextsPlacesAndStyles)
{
    for (const Page& page : kPages) {
        SCOPED_TRACE("dialog template " + std::to_string(page.templateId));
        ResourceReader reader = Read(MAKEINTRESOURCEA(5), page.templateId);  // RT_DIALOG
        ASSERT_NE(0u, reader.Remaining()) << "missing";
        ASSERT_EQ(kPageStyle, reader.Dword()) << "an extended template starts with 0xFFFF0001";
        reader.Dword();  // extended style
        const size_t count = reader.Word();
        reader.Skip(4);  // position
        EXPECT_EQ(312, reader.Word());
        EXPECT_EQ(181, reader.Word());
        for (const char* field : {"menu", "window class", "caption"})
            EXPECT_EQ("", reader.NameOrOrdinal()) << field;
        EXPECT_EQ(8, reader.Word()) << "point size";
        EXPECT_EQ("MS Sans Serif", reader.NameOrOrdinal());
        std::vector<Control> controls = {kLeftPanel};
        controls.insert(controls.end(), page.controls.begin(), page.controls.end());
        ASSERT_EQ(controls.size(), count);
        for (const Control& expected : controls) {
            reader.AlignToDword();
            Control actual = {};
            actual.style = reader.Dword();
            reader.Dword();  // extended style
            for (short* field : {&actual.x, &actual.y, &actual.cx, &actual.cy})
                *field = static_cast<short>(reader.Word());
            actual.id = reader.Word();
            actual.className = reader.NameOrOrdinal();
            actual.text = reader.NameOrOrdinal();
            reader.Skip(reader.Word());  // creation data
            if (expected.text == kSixLines) {
                EXPECT_EQ(5, std::count(actual.text.begin(), actual.text.end(), '\n')) << actual.text;
                actual.text = kSixLines;
            }
            EXPECT_EQ(Describe(expected), Describe(actual));
        }
        EXPECT_EQ(0u, reader.Remaining()) << "bytes after the last control";
    }
}

TEST_F(InstallerResources, WizardCaptionIsStringOne)
{
    char caption[100] = "";
    LoadStringA(module, IDS_WIZARD_CAPTION, caption, sizeof caption);
    EXPECT_STREQ("Vistaloom Theme Package", caption);
}

TEST_F(InstallerResources, BothIconsHaveFiveImagesEachAShapeOnATransparentGround)
{
    const std::vector<std::pair<int, int>> expected = {{16, 4}, {16, 8}, {32, 4}, {32, 8}, {48, 8}};  // size, bits
    for (WORD group : {IDI_APPLICATION_ICON, IDI_WIZARD_ICON}) {
        SCOPED_TRACE("icon group " + std::to_string(group));
        ResourceReader directory = Read(MAKEINTRESOURCEA(14), group);  // RT_GROUP_ICON
        ASSERT_NE(0u, directory.Remaining()) << "missing";
        directory.Word();  // reserved
        EXPECT_EQ(1, directory.Word()) << "type: icon";
        std::vector<std::pair<int, int>> images;
        for (WORD i = 0, count = directory.Word(); i < count; ++i) {
            const int width = directory.Byte(), height = directory.Byte();
            directory.Skip(4);  // colour count, reserved, planes
            const int bits = directory.Word();
            const DWORD byteCount = directory.Dword();
            const WORD imageId = directory.Word();
            images.emplace_back(width, bits);
            SCOPED_TRACE("image " + std::to_string(imageId));
            EXPECT_EQ(width, height);

            // A header of double height (colour rows, then mask rows), the palette,
            // the colour pixels, then the mask, in which 1 marks a transparent pixel.
            ResourceReader image = Read(MAKEINTRESOURCEA(3), imageId);  // RT_ICON
            EXPECT_EQ(byteCount, image.Remaining());
            const DWORD headerSize = image.Dword();
            EXPECT_EQ(static_cast<DWORD>(width), image.Dword());
            EXPECT_EQ(static_cast<DWORD>(height * 2), image.Dword());
            image.Word();  // planes
            EXPECT_EQ(bits, image.Word());
            EXPECT_EQ(headerSize + (4u << bits) + (Stride(width, bits) + Stride(width, 1)) * height, byteCount);
            image.Skip(headerSize - 16 + (4u << bits) + Stride(width, bits) * height);
            int transparent = 0;
            for (int at = 0, stride = Stride(width, 1); at < stride * height; ++at) {
                const BYTE eight = image.Byte();
                for (int bit = 0; bit < 8 && at % stride * 8 + bit < width; ++bit)
                    transparent += (eight >> (7 - bit)) & 1;
            }
            EXPECT_GT(transparent, 0) << "a square block";
            EXPECT_LT(transparent, width * height) << "nothing drawn";
        }
        std::sort(images.begin(), images.end());
        EXPECT_EQ(expected, images);
    }
}

// The numbers and the texts both carry the build's one version.
TEST_F(InstallerResources, VersionRecordCarriesTheBuildsVersion)
{
    DWORD ignored = 0;
    std::vector<char> record(GetFileVersionInfoSizeA(kInstallerPath.c_str(), &ignored));
    ASSERT_FALSE(record.empty());
    ASSERT_TRUE(GetFileVersionInfoA(kInstallerPath.c_str(), 0, static_cast<DWORD>(record.size()), record.data()));
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(record.data(), "\\", &value, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwFileVersionMS, DWORD{PRODUCT_VERSION_MAJOR << 16 | PRODUCT_VERSION_MINOR});
    EXPECT_EQ(fixed->dwFileVersionLS, DWORD{PRODUCT_VERSION_PATCH << 16});
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    for (const char* name : {"FileVersion", "ProductVersion"}) {
        ASSERT_TRUE(VerQueryValueA(record.data(), (std::string("\\StringFileInfo\\040904b0\\") + name).c_str(),
                                   &value, &length)) << name;
        EXPECT_STREQ(static_cast<const char*>(value), PRODUCT_VERSION_TEXT) << name;
    }
}

// The manifest the system reads before the program starts: elevation where
// the user may have it, the systems it was tested on, drawing at the
// monitor's display scale (the system-wide one where that is all the system
// knows), the classic controls.
TEST_F(InstallerResources, ManifestAsksForTheHighestAvailableLevelTheMonitorsScaleAndTheClassicControls)
{
    ResourceReader reader = Read(MAKEINTRESOURCEA(24), 1);  // RT_MANIFEST, the one a program starts with
    std::string manifest;
    while (reader.Remaining() > 0)
        manifest += static_cast<char>(reader.Byte());
    ASSERT_EQ(manifest.rfind("<?xml", 0), 0u) << manifest;
    for (const char* expected : {
             "<requestedExecutionLevel level=\"highestAvailable\" uiAccess=\"false\"/>",
             "version=\"" PRODUCT_VERSION_TEXT ".0\"",
             "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  // Vista
             "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
             "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>",
             "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2, "
             "System</dpiAwareness>",
         })
        EXPECT_NE(manifest.find(expected), std::string::npos) << expected;
    EXPECT_EQ(manifest.find("Common-Controls"), std::string::npos) << "the pages were laid out for the classic controls";
    EXPECT_EQ(manifest.find("<!--"), std::string::npos) << "comments cost every package their bytes";
}

}  // namespace
