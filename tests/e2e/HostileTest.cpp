// End-to-end tests of hostile packages: archives, headers, trailers and patterns that lie, run through the installer under Wine.
#include <gtest/gtest.h>

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/ExtractCheck.h"
#include "tests/e2e/MessageBoxView.h"
#include "tests/e2e/RawPackage.h"
#include "tests/e2e/WizardDriver.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestFolders.h"
#include "tests/support/TestRegistry.h"

namespace {

const std::string kStubPath = ToWindowsPath(THEMESETUP_EXE);
const std::string kRecorderPath = ToWindowsPath(OPEN_RECORDER_EXE);
const std::string kRecord = kRecorderPath.substr(0, kRecorderPath.find_last_of('\\') + 1) + "opened.txt";
constexpr char kFontList[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
constexpr char kNotValid[] = "Not a valid theme package!";
constexpr char kCorrupted[] = "Corrupted theme package!";
constexpr char kNotAll[] = "Not all files were installed! The package might be corrupt!\n";
// A lie about a size or a count must not make the installer wait or hoard:
// the load and the unpacking each end within this time, and the process's
// peak working set stays below the bound (a sound run needs about 25 MiB
// under Wine, a reader that believed the lies at least 96 MiB).
constexpr ULONGLONG kStageBoundMs = 10000;
constexpr SIZE_T kMemoryBound = 64u << 20;

std::string Stub()
{
    static const std::string bytes = ReadFileBytes(kStubPath);
    return bytes;
}

std::string Data(const std::string& pattern)
{
    return "data of " + pattern + "\r\n";
}

std::string Le32(uint32_t value)
{
    std::string bytes;
    Put32(bytes, value);
    return bytes;
}

// A TrueType file of one table, "name", holding one Macintosh full name.
std::string FontFile(const std::string& fullName)
{
    std::string font;
    const auto put = [&](std::initializer_list<uint32_t> fields) {
        for (uint32_t field : fields)
            font += {static_cast<char>(field >> 8), static_cast<char>(field)};
    };
    put({1, 0, 1, 16, 0, 0});  // version 1.0, one table
    font += "name";
    put({0, 0, 0, 28, 0, static_cast<uint32_t>(18 + fullName.size())});  // checksum, offset, length
    put({0, 1, 18, 1, 0, 0, 4, static_cast<uint32_t>(fullName.size()), 0});  // full name, Macintosh
    return font + fullName;
}

std::map<std::string, std::string> FontList()
{
    std::map<std::string, std::string> values;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kFontList, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return values;
    char name[16384];
    BYTE data[4096];
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof name;
        DWORD dataSize = sizeof data - 1;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, nullptr, data, &dataSize) != ERROR_SUCCESS)
            break;
        values[name] = std::string(reinterpret_cast<char*>(data), strnlen(reinterpret_cast<char*>(data), dataSize));
    }
    RegCloseKey(key);
    return values;
}

// A TrueType entry of the prefix's font list, without " (TrueType)".
std::string TakenFontName()
{
    const std::string suffix = " (TrueType)";
    for (const auto& value : FontList()) {
        const std::string& name = value.first;
        if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
            return name.substr(0, name.size() - suffix.size());
    }
    return "no TrueType font listed";
}

// Entries the rows add: named vltest-*, or naming a vltest-* file.
void RemoveTestFonts()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kFontList, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    for (const auto& value : FontList()) {
        if (value.first.compare(0, 6, "vltest") == 0 || value.second.compare(0, 6, "vltest") == 0)
            RegDeleteValueA(key, value.first.c_str());
    }
    RegCloseKey(key);
}

// A font as its makers publish it, unpacked by scripts/setup.
std::string PublishedFont(const char* name)
{
    return ReadFileBytes(ToWindowsPath(PUBLISHED_FONTS_DIR) + "\\" + name);
}

// Fonts published with Windows names only, as most are today, by the file each is installed as.
const std::pair<const char*, const char*> kPublishedFonts[] = {
    {"vltest-roboto.ttf", "Roboto-Black.ttf"},
    {"vltest-cantarell.otf", "Cantarell-Bold.otf"},
    {"vltest-opensans.ttf", "OpenSans-CondBold.ttf"},
};

using Build = std::function<std::string()>;
using Tweak = std::function<void(std::vector<RawEntry>&)>;

// The entries a packager writes: one per pattern, deflated, then PackHead.
std::vector<RawEntry> Entries(const std::vector<std::string>& patterns)
{
    std::vector<RawEntry> entries;
    for (const std::string& pattern : patterns)
        entries.push_back({"file" + std::to_string(entries.size()), Data(pattern)});
    entries.push_back({"PackHead", PackHeadBytes(patterns)});
    return entries;
}

// A package of patterns whose entries tweak may change first.
Build Theme(std::vector<std::string> patterns, Tweak tweak = {}, int64_t entryCount = kTruth,
            RawTrailer trailer = {})
{
    return [=] {
        std::vector<RawEntry> entries = Entries(patterns);
        if (tweak)
            tweak(entries);
        return PackageBytes(Stub(), ZipBytes(entries, entryCount), trailer);
    };
}

// A package whose PackHead entry holds these bytes and nothing else.
Build Head(std::string head)
{
    return Theme({}, [=](std::vector<RawEntry>& entries) { entries.back().data = head; });
}

Build Trailer(RawTrailer trailer)
{
    return Theme({"%ThemeDir%vltest.txt"}, {}, kTruth, trailer);
}

std::string Refused(const std::string& pattern)
{
    return "Refused '" + pattern + "'. It does not name a file inside its folder!\n";
}

std::string Damaged(const std::string& pattern)
{
    return "Damaged file '" + pattern + "' in package!\n";
}

using Files = std::vector<std::pair<std::string, std::string>>;

// Where a pattern's entry lands, with its data: {T} stands for the theme
// folder, {W}, {S} and {F} for the Windows, system and fonts folders.
std::pair<std::string, std::string> Placed(const std::string& pattern)
{
    const std::pair<const char*, const char*> variables[] = {
        {"%ThemeDir%", "{T}"}, {"%WinDir%", "{W}"}, {"%SysDir%", "{S}"}, {"%FontDir%", "{F}"}};
    std::string path = pattern;
    for (const auto& variable : variables) {
        if (path.compare(0, strlen(variable.first), variable.first) == 0)
            path.replace(0, strlen(variable.first), variable.second);
    }
    return {path, Data(pattern)};
}

enum class Launch { AsIs, ShortenedAfterStart };

struct Row {
    const char* name = nullptr;
    Build package = {};
    const char* message = nullptr;   // the loader's message box; null: the wizard shows
    const char* mainText = nullptr;  // the unpack page's text
    std::string log = {};            // the unpack page's log, {T} {W} {S} {F} standing for the folders
    Files files = {};                // every file the run leaves anywhere we look, with its content
    std::vector<std::string> absent = {};  // where a lie aims; nothing may be there afterwards
    Files existing = {};             // in place before the run, and unchanged after it
    std::map<std::string, std::string> fonts = {};  // values the run adds to the font list
    const char* opened = nullptr;  // what the theme manager opens; null: .theme is not associated
    Launch launch = Launch::AsIs;
    // What themepack extract writes and the installer, by design, does not.
    std::vector<std::string> extractOnly = {};
};

void PrintTo(const Row& row, std::ostream* out)
{
    *out << row.name;
}

const std::string kTwelveUp = [] {
    std::string up;
    for (int i = 0; i < 12; ++i)
        up += "../";
    return "%ThemeDir%" + up + "windows/system32/vltest-x.dll";
}();
const std::string kDeepPattern = [] {
    std::string path = "%ThemeDir%";
    for (int i = 0; i < 25; ++i)
        path += "vltest-deep\\";
    return path + "vltest.txt";
}();
const std::string kNulFontName("vltest-Nul Face\0Evil Face", 25);
const std::string kA = "%ThemeDir%vltest-a.txt";
const std::string kB = "%ThemeDir%vltest-b.txt";
const std::string kC = "%ThemeDir%vltest-c.txt";

const Row kRows[] = {
    // The trailer and the payload it locates.
    // A sound package, shortened once it runs: the wizard would show, were the original read.
    {"ShortFile", Trailer({}), kNotValid, nullptr, "", {}, {}, {}, {}, nullptr, Launch::ShortenedAfterStart},
    {"TrailerSize24", Trailer({24}), kNotValid},
    {"WrongMagic", Trailer({20, 0x03AF7318}), kNotValid},
    {"PayloadOffsetBeyondFile", Trailer({20, 0x03AF7319, 1, 0x7FFFFF00}), kCorrupted},
    {"PayloadLength0", Trailer({20, 0x03AF7319, 1, kTruth, 0}), kCorrupted},
    // The copy stops at the end of the file; minizip ignores the trailer behind the end record.
    {"PayloadLengthPastEnd", Trailer({20, 0x03AF7319, 1, kTruth, 0x7FFFFFFF}), nullptr, kSuccessText, "",
     {Placed("%ThemeDir%vltest.txt")}},
    // minizip finds the entries behind the program image, as in any self-extractor.
    {"PayloadOffset0", Trailer({20, 0x03AF7319, 1, 0, 0x7FFFFFFF}), nullptr, kSuccessText, "",
     {Placed("%ThemeDir%vltest.txt")}},
    {"PayloadNotZip", [] { return PackageBytes(Stub(), std::string(4000, 'x')); }, kCorrupted},

    // The archive's directory.
    {"NoPackHead", Theme({kA}, [](std::vector<RawEntry>& e) { e.pop_back(); }), kCorrupted},
    // 0 and 65535 make minizip walk the directory until a record's signature fails, which ends it.
    {"EntryCount0", Theme({kA}, {}, 0), nullptr, kSuccessText, "", {Placed(kA)}},
    {"EntryCount65535", Theme({kA}, {}, 65535), nullptr, kSuccessText, "", {Placed(kA)}},
    {"EntryCountHidesPackHead", Theme({kA}, {}, 1), kCorrupted},
    {"PackHeadNameInCapitals", Theme({kA}, [](std::vector<RawEntry>& e) { e.back().name = "PACKHEAD"; }), nullptr,
     kSuccessText, "", {Placed(kA)}},

    // PackHead.
    {"PackHeadEmpty", Head(""), kCorrupted},
    // PackHead is read only as far as its records go, its CRC never reached; its patterns are checked as any.
    {"PackHeadCrcMismatch", Theme({kA}, [](std::vector<RawEntry>& e) { e.back().crc = 0x12345678; }), nullptr,
     kSuccessText, "", {Placed(kA)}},
    {"HeaderSize15", Head(PackHeadBytes({kA}, kTruth, 0, "", 15)), kCorrupted},
    {"PackHeadMethod99", Theme({kA}, [](std::vector<RawEntry>& e) { e.back().method = 99; }), kCorrupted},
    // minizip would read a method it cannot decode (bzip2) as raw bytes, with no CRC check.
    {"PackHeadMethod12", Theme({kA}, [](std::vector<RawEntry>& e) { e.back().method = 12; }), kCorrupted},
    {"DescriptionLengthHuge", Head(PackHeadBytes({}, 0, 2, Le32(0x7FFFFFF0) + std::string(96u << 20, 'A'))),
     kCorrupted},
    {"SideImagePast32MiB", Head(PackHeadBytes({}, 0, 1, Le32((32u << 20) + 1) + std::string(4096, 'B'))),
     kCorrupted},
    {"MillionEmptyRecords", Head(PackHeadBytes({}, 1000000, 0, std::string(5000000, '\0'))), kCorrupted},
    {"RecordLength32768", Head(PackHeadBytes({}, 1, 0, Le32(32768) + std::string(40000, 'a'))), kCorrupted},
    // The list grows to at most 65535 slots, and the records present are the patterns.
    {"FileCountMaximumOverTwoRecords",
     Theme({kA, kB}, [](std::vector<RawEntry>& e) { e.back().data = PackHeadBytes({kA, kB}, 0x7FFFFFFF); }),
     nullptr, kSuccessText, "", {Placed(kA), Placed(kB)}},

    // Patterns that aim outside their folder: refused, and the run goes on.
    {"WinDirParent", Theme({"%WinDir%..\\ProgramData\\vltest-x.bat", kA}), nullptr, kFailureText,
     Refused("%WinDir%..\\ProgramData\\vltest-x.bat"), {Placed(kA)}, {"C:\\ProgramData\\vltest-x.bat"}},
    {"ThemeDirTwelveUp", Theme({kTwelveUp, kA}), nullptr, kFailureText, Refused(kTwelveUp), {Placed(kA)},
     {"{S}vltest-x.dll", "C:\\windows\\system32\\vltest-x.dll"}},
    {"FontDirTwoUp", Theme({"%FontDir%..\\..\\vltest-x.ttf", kA}), nullptr, kFailureText,
     Refused("%FontDir%..\\..\\vltest-x.ttf"), {Placed(kA)}, {"C:\\vltest-x.ttf"}},
    {"StreamOfWinIni", Theme({"%WinDir%win.ini:vltest", kA}), nullptr, kFailureText, Refused("%WinDir%win.ini:vltest"),
     {Placed(kA)}, {"{W}win.ini:vltest"}},
    {"ThemeDirParent", Theme({"%ThemeDir%..\\vltest-x.txt", "%ThemeDir%sub\\..\\..\\vltest-x.txt", kA}), nullptr,
     kFailureText, Refused("%ThemeDir%..\\vltest-x.txt") + Refused("%ThemeDir%sub\\..\\..\\vltest-x.txt"),
     {Placed(kA)}, {"{T}..\\vltest-x.txt"}},
    // Windows would drop the dot or the space and write vltest-a.txt.
    {"TrailingDotAndSpace", Theme({kA + ".", kA + " ", kB}), nullptr, kFailureText, Refused(kA + ".") + Refused(kA + " "),
     {Placed(kB)}, {"{T}vltest-a.txt"}},
    {"SecondVariable", Theme({"%ThemeDir%%WinDir%vltest-x.ini", "%WinDir%vltest\\%WinDir%vltest-x.ini", kA}),
     nullptr, kFailureText, Refused("%ThemeDir%%WinDir%vltest-x.ini") + Refused("%WinDir%vltest\\%WinDir%vltest-x.ini"),
     {Placed(kA)}, {"{W}vltest-x.ini", "{W}vltest"}},
    // Without a variable a pattern is skipped without a word, as themepack warns; the relative
    // one would have landed in the folder the installer shares with this test.
    {"NoVariable", Theme({"C:\\vltest-x.txt", "vltest-x.txt", kA}), nullptr, kSuccessText, "", {Placed(kA)},
     {"C:\\vltest-x.txt", "vltest-x.txt"}},
    // A record's text ends at its first zero; what follows cannot aim anywhere.
    {"RecordWithZero",
     Theme({kA},
           [](std::vector<RawEntry>& e) {
               e.back().data = PackHeadBytes({kA + std::string("\0\\..\\vltest-x.txt", 17)});
           }),
     nullptr, kSuccessText, "", {Placed(kA)}, {"{T}..\\vltest-x.txt"}},
    // A device answers to any folder's name, so only the listing can show that nothing was made.
    {"DeviceNames", Theme({"%ThemeDir%NUL.txt", "%ThemeDir%CON", kA}), nullptr, kFailureText,
     Refused("%ThemeDir%NUL.txt") + Refused("%ThemeDir%CON"), {Placed(kA)}},
    {"LeadingSeparator", Theme({"%ThemeDir%\\\\server\\share\\vltest.txt", kA}), nullptr, kFailureText,
     Refused("%ThemeDir%\\\\server\\share\\vltest.txt"), {Placed(kA)}, {"{T}server\\share\\vltest.txt"}},
    // Authors write a separator after the variable, whose value ends in one already.
    {"SeparatorAfterVariable", Theme({"%ThemeDir%\\vltest-s.txt", "%WinDir%/vltest-s.ini"}), nullptr,
     kSuccessText, "", {{"{T}vltest-s.txt", Data("%ThemeDir%\\vltest-s.txt")}, {"{W}vltest-s.ini", Data("%WinDir%/vltest-s.ini")}}},
    // Names are Windows ANSI text: "vltest-café.txt" in Windows-1252, as themepack stores it.
    {"NameInCodePage", Theme({"%ThemeDir%vltest-caf\xE9.txt"}), nullptr, kSuccessText, "",
     {Placed("%ThemeDir%vltest-caf\xE9.txt")}},
    {"VariableNotFirst", Theme({"a%ThemeDir%vltest.txt", kA}), nullptr, kFailureText, Refused("a%ThemeDir%vltest.txt"),
     {Placed(kA)}, {"{T}vltest.txt"}},
    // The folder walk fails once the path outgrows MAX_PATH, which ends the run before any file.
    {"PatternOver260Characters", Theme({kDeepPattern, kA}), nullptr, kFailureText,
     "Failed to create path '" + Placed(kDeepPattern).first + "'!\n", {}, {"{T}vltest-a.txt"}},

    // Fonts.
    // A font listed already is installed: its entry stays, and no second copy is left.
    {"FontNameTaken",
     Theme({"%FontDir%vltest-taken.ttf"},
           [](std::vector<RawEntry>& e) { e[0].data = FontFile(TakenFontName()); }),
     nullptr, kSuccessText, "Skipping '{F}vltest-taken.ttf'. Font is installed already!\n", {},
     {"{F}vltest-taken.ttf"}, {}, {}, nullptr, Launch::AsIs, {"{F}vltest-taken.ttf"}},
    {"PublishedFonts",
     Theme({"%FontDir%vltest-roboto.ttf", "%FontDir%vltest-cantarell.otf", "%FontDir%vltest-opensans.ttf"},
           [](std::vector<RawEntry>& e) {
               for (size_t i = 0; i < 3; ++i)
                   e[i].data = PublishedFont(kPublishedFonts[i].second);
           }),
     nullptr, kSuccessText, "",
     {{"{F}vltest-roboto.ttf", PublishedFont("Roboto-Black.ttf")},
      {"{F}vltest-cantarell.otf", PublishedFont("Cantarell-Bold.otf")},
      {"{F}vltest-opensans.ttf", PublishedFont("OpenSans-CondBold.ttf")}},
     {}, {},
     {{"Roboto Black (TrueType)", "vltest-roboto.ttf"}, {"Cantarell Bold (TrueType)", "vltest-cantarell.otf"},
      {"Open Sans Condensed Bold (TrueType)", "vltest-opensans.ttf"}}},
    {"FontNameUnreadable", Theme({"%FontDir%vltest-unnamed.ttf"}), nullptr, kFailureText,
     "Font '{F}vltest-unnamed.ttf' has no usable name and was not registered!\n",
     {Placed("%FontDir%vltest-unnamed.ttf")}},
    {"FontNameWithZero",
     Theme({"%FontDir%vltest-nul.ttf"}, [](std::vector<RawEntry>& e) { e[0].data = FontFile(kNulFontName); }),
     nullptr, kSuccessText, "", {{"{F}vltest-nul.ttf", FontFile(kNulFontName)}}, {}, {},
     {{"vltest-Nul Face (TrueType)", "vltest-nul.ttf"}}},

    // Opening the theme at Finish.
    {"ThemeFileIsOpened", Theme({"%ThemeDir%vltest.THEME"}), nullptr, kSuccessText, "",
     {Placed("%ThemeDir%vltest.THEME")}, {}, {}, {}, "{T}vltest.THEME"},
    // The recorder itself: were it run, it would note so beside itself.
    {"ThemeLikeProgramIsNotOpened",
     Theme({"%ThemeDir%Aurora.theme.exe"},
           [](std::vector<RawEntry>& e) { e[0].data = ReadFileBytes(kRecorderPath); }),
     nullptr, kSuccessText, "", {{"{T}Aurora.theme.exe", ReadFileBytes(kRecorderPath)}}, {"{T}opened.txt"}, {}, {},
     ""},

    // Entries that lie about their data.
    {"DeflatedDataEndsEarly", Theme({kA, kB}, [](std::vector<RawEntry>& e) { e[0].uncompressedSize = 1000; }),
     nullptr, kFailureText, Damaged(kA), {Placed(kB)}, {"{T}vltest-a.txt"}},
    // The reader takes the next local header for the missing bytes, and the CRC tells.
    {"StoredDataCutShort",
     Theme({kA, kB},
           [](std::vector<RawEntry>& e) {
               e[0].method = 0;
               e[0].storedBytes = 10;
           }),
     nullptr, kFailureText, Damaged(kA), {Placed(kB)}, {"{T}vltest-a.txt"}},
    // The first entry's stored data, declared past the archive's end, takes in the second's:
    // the second is refused too rather than read a second time.
    {"StoredDataPastArchiveEnd",
     Theme({kA, kB},
           [](std::vector<RawEntry>& e) {
               e[0].method = 0;
               e[0].compressedSize = e[0].uncompressedSize = 0x40000000;
           }),
     nullptr, kFailureText, Damaged(kA) + Damaged(kB), {}, {"{T}vltest-a.txt", "{T}vltest-b.txt"}},
    {"CrcMismatch", Theme({kA, kB}, [](std::vector<RawEntry>& e) { e[0].crc = 0x12345678; }), nullptr, kFailureText,
     Damaged(kA), {Placed(kB)}, {"{T}vltest-a.txt"}},
    // A failure to open ends the run: the entries after it are not paired.
    {"EntryLocalHeaderPastEnd", Theme({kA, kB}, [](std::vector<RawEntry>& e) { e[0].localOffset = 0x7FFFFFF0; }),
     nullptr, kFailureText, "Failed to open '" + kA + "' in package!\n", {}, {"{T}vltest-a.txt", "{T}vltest-b.txt"}},
    {"EntryMethod99", Theme({kA, kB}, [](std::vector<RawEntry>& e) { e[0].method = 99; }), nullptr, kFailureText,
     "Failed to open '" + kA + "' in package!\n", {}, {"{T}vltest-a.txt", "{T}vltest-b.txt"}},
    {"EntryMethod12", Theme({kA, kB}, [](std::vector<RawEntry>& e) { e[0].method = 12; }), nullptr, kFailureText,
     "Failed to open '" + kA + "' in package!\n", {}, {"{T}vltest-a.txt", "{T}vltest-b.txt"}},
    // Pairing is by position, as themepack warns: PackHead's bytes land in the theme folder.
    {"MorePatternsThanEntries",
     Theme({kA, kB, kC}, [](std::vector<RawEntry>& e) { e.erase(e.begin() + 1, e.begin() + 3); }), nullptr,
     kFailureText, kNotAll, {Placed(kA), {"{T}vltest-b.txt", PackHeadBytes({kA, kB, kC})}}},
    // By position again: the first pattern receives PackHead, and every pattern has an entry.
    {"PackHeadFirst", Theme({kA, kB}, [](std::vector<RawEntry>& e) { std::rotate(e.begin(), e.end() - 1, e.end()); }),
     nullptr, kSuccessText, "", {{"{T}vltest-a.txt", PackHeadBytes({kA, kB})}, {"{T}vltest-b.txt", Data(kA)}}},
    // Both records pass minizip's checks against the one local header; the second claims data unpacked already.
    {"TwoRecordsOneData",
     Theme({kA, kB}, [](std::vector<RawEntry>& e) { e[1].sameDataAs = 0; }), nullptr, kFailureText,
     "Damaged file '" + kB + "' in package!\n", {{"{T}vltest-a.txt", Data(kA)}}, {"{T}vltest-b.txt"}},
    // A theme file is reported; system and font files are passed over quietly.
    {"FilesExist", Theme({kA, "%WinDir%vltest-x.ini", "%FontDir%vltest-x.ttf"}), nullptr, kSuccessText,
     "Skipping '{T}vltest-a.txt'. File already exists!\n", {}, {},
     {{"{T}vltest-a.txt", "mine"}, {"{W}vltest-x.ini", "mine"}, {"{F}vltest-x.ttf", "mine"}}},
};

std::string WithBackslash(std::string folder)
{
    if (folder.empty() || folder.back() != '\\')
        folder += '\\';
    return folder;
}

std::string WindowsFolder()
{
    char path[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(path, MAX_PATH);
    return std::string(path, length < MAX_PATH ? length : 0);
}

std::string SystemFolder()
{
    char path[MAX_PATH];
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    return WithBackslash(std::string(path, length < MAX_PATH ? length : 0));
}

struct ProcessCloser {
    void operator()(HANDLE process) const
    {
        if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT)
            TerminateProcess(process, 1);
        CloseHandle(process);
    }
};
using ProcessHandle = std::unique_ptr<void, ProcessCloser>;

// Starts the package held before its first instruction, puts a file of a few
// bytes in its place and lets it go: the image is mapped already, but the
// loader opens the file by name and meets a file shorter than any trailer.
ProcessHandle StartShortened(const std::string& package, const std::string& temporaryFolder, DWORD& id)
{
    char temporary[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("TMP", temporary, MAX_PATH);
    const std::string saved(temporary, length < MAX_PATH ? length : 0);
    SetEnvironmentVariableA("TMP", temporaryFolder.c_str());
    SetEnvironmentVariableA("TEMP", temporaryFolder.c_str());
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    std::string commandLine = QuoteArgument(package);
    const BOOL isStarted = CreateProcessA(package.c_str(), &commandLine[0], nullptr, nullptr, FALSE,
                                          CREATE_SUSPENDED, nullptr, nullptr, &startup, &started);
    SetEnvironmentVariableA("TMP", saved.c_str());
    SetEnvironmentVariableA("TEMP", saved.c_str());
    if (!isStarted)
        return nullptr;
    // Dropped unresumed, the process is ended by its owner.
    ProcessHandle process(started.hProcess);
    const bool isSwapped = MoveFileA(package.c_str(), (package + ".moved").c_str()) &&
                           WriteFileBytes(package, "MZ short") && ResumeThread(started.hThread) != static_cast<DWORD>(-1);
    CloseHandle(started.hThread);
    id = started.dwProcessId;
    if (!isSwapped)
        return nullptr;
    return process;
}

std::string WithoutCarriageReturns(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

// Each row has a folder of its own beside the test program: the package, the
// installer's temporary folder and the theme folder. Whatever a row may put
// outside it is named vltest-* and removed before and after.
class Hostile : public ::testing::TestWithParam<Row> {
protected:
    void SetUp() override
    {
        CleanUp();
        ASSERT_TRUE(caseFolder.Create(ExecutableFolder() + "hostile\\" + GetParam().name));
        temporaryFolder = caseFolder.Path() + "temp\\";
        themes = caseFolder.Path() + "Themes\\";
        ASSERT_TRUE(CreateDirectoryA(temporaryFolder.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(themes.c_str(), nullptr));
        ASSERT_TRUE(StoreSettingsText("ThemeDir", themes.c_str()));
        if (GetParam().opened != nullptr) {
            ASSERT_TRUE(AssociateThemeFiles("Vistaloom"));
            ASSERT_TRUE(SetOpenCommand("Vistaloom", ("\"" + kRecorderPath + "\" \"%1\"").c_str()));
        }
        for (const auto& file : GetParam().existing)
            ASSERT_TRUE(WriteFileBytes(Expand(file.first), file.second)) << file.first;
        packagePath = caseFolder.Path() + "package.exe";
        ASSERT_TRUE(WriteFileBytes(packagePath, GetParam().package()));
    }

    void TearDown() override
    {
        CleanUp();
        if (HasFailure())
            caseFolder.Keep();
    }

    void CleanUp()
    {
        ResetInstallerRegistry();
        RemoveTestFonts();
        DeleteFileA(kRecord.c_str());
        for (const std::string& folder : SystemFolders()) {
            for (const std::string& name : ListFiles(folder, "vltest*"))
                DeleteFileA((folder + name).c_str());
        }
    }

    // The folders outside the case folder where rows aim, each with a backslash.
    std::vector<std::string> SystemFolders() const
    {
        return {"C:\\", windows, SystemFolder(), fonts, "C:\\ProgramData\\"};
    }

    std::string Expand(std::string text) const
    {
        const std::pair<const char*, std::string> marks[] = {
            {"{T}", themes}, {"{W}", windows}, {"{S}", SystemFolder()}, {"{F}", fonts}};
        for (const auto& mark : marks) {
            for (size_t at = text.find(mark.first); at != std::string::npos; at = text.find(mark.first, at))
                text.replace(at, 3, mark.second);
        }
        return text;
    }

    // Every file of the case folder and every vltest-* file where rows aim.
    std::vector<std::string> Snapshot() const
    {
        std::vector<std::string> paths;
        ListTree(caseFolder.Path(), paths);
        for (const std::string& folder : SystemFolders()) {
            for (const std::string& name : ListFiles(folder, "vltest*"))
                paths.push_back(folder + name);
        }
        std::sort(paths.begin(), paths.end());
        return paths;
    }

    ScratchFolder caseFolder;
    std::string temporaryFolder;
    std::string themes;
    std::string packagePath;
    const std::string windows = WithBackslash(WindowsFolder());
    const std::string fonts = WindowsFolder() + "\\fonts\\";
};

SIZE_T PeakWorkingSet(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    return GetProcessMemoryInfo(process, &counters, sizeof counters) ? counters.PeakWorkingSetSize : 0;
}

TEST_P(Hostile, ShowsTheRowsOutcomeAndTouchesNothingElse)
{
    const Row& row = GetParam();
    std::map<std::string, std::string> expectedFonts = FontList();
    for (const auto& font : row.fonts)
        expectedFonts[font.first] = font.second;
    const std::vector<std::string> before = Snapshot();
    const std::string winIni = ReadFileBytes(windows + "win.ini");

    TestProcess installer;
    DWORD id = 0;
    ProcessHandle process;
    std::string error;
    ULONGLONG started = GetTickCount64();
    if (row.launch == Launch::ShortenedAfterStart) {
        process = StartShortened(packagePath, temporaryFolder, id);
    } else {
        ASSERT_TRUE(installer.Start(packagePath, {}, temporaryFolder, error)) << error;
        id = installer.Id();
        process.reset(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE, FALSE, id));
    }
    ASSERT_TRUE(process) << "not started, error " << GetLastError();

    if (row.message != nullptr) {
        HWND window = nullptr;
        WaitUntil([&] {
            const std::vector<HWND> boxes = FindTopWindows(id, "#32770", "Vistaloom");
            window = boxes.empty() ? nullptr : boxes.front();
            return window || WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0;
        });
        MessageBoxView box;
        box.Read(window);
        ASSERT_TRUE(box.window) << "no message box; " << FindTopWindows(id, nullptr, nullptr).size() << " windows";
        EXPECT_LT(GetTickCount64() - started, kStageBoundMs) << "the load took too long";
        EXPECT_LT(PeakWorkingSet(process.get()), kMemoryBound);
        EXPECT_EQ(box.text, row.message) << box.Describe();
        ASSERT_TRUE(box.okButton && PressButton(box.okButton)) << box.Describe();
    } else {
        WizardDriver wizard(installer);
        if (!wizard.WaitForWizard()) {
            MessageBoxView box;
            box.Read(WaitForMessageBox(installer, nullptr, 0));
            FAIL() << "no wizard; " << box.Describe();
        }
        EXPECT_LT(GetTickCount64() - started, kStageBoundMs) << "the load took too long";
        for (WizardPage page : {WizardPage::Destination, WizardPage::Unpack}) {
            ASSERT_TRUE(wizard.Click(kNextButton));
            ASSERT_TRUE(wizard.WaitForPage(page)) << PageName(page) << ", on " << PageName(wizard.CurrentPage());
        }
        started = GetTickCount64();
        ASSERT_TRUE(wizard.Click(kNextButton));
        ASSERT_TRUE(WaitUntil([&] { return wizard.Buttons() == "Back- Next- Finish+ Cancel-"; }))
            << wizard.Buttons();
        EXPECT_LT(GetTickCount64() - started, kStageBoundMs) << "the unpacking took too long";
        EXPECT_LT(PeakWorkingSet(process.get()), kMemoryBound);
        EXPECT_EQ(wizard.Text(IDC_MAIN_TEXT), row.mainText);
        EXPECT_EQ(WithoutCarriageReturns(wizard.Text(IDC_LOG)), Expand(row.log));
        EXPECT_EQ(wizard.IsVisible(IDC_OPEN_THEME), row.opened != nullptr && *row.opened != '\0');
        ASSERT_TRUE(wizard.Click(kFinishButton));
    }
    ASSERT_EQ(WaitForSingleObject(process.get(), kWindowTimeoutMs), WAIT_OBJECT_0) << "still running";
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(process.get(), &exitCode);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(ListFiles(temporaryFolder, "VLP*.tmp"), std::vector<std::string>()) << "temporary files left";
    // The shell starts what Finish opens on its own; give it time before looking.
    if (row.opened != nullptr) {
        if (*row.opened != '\0')
            EXPECT_TRUE(WaitUntil([&] { return !ReadFileBytes(kRecord).empty(); })) << "not opened";
        else
            Sleep(1000);
        EXPECT_EQ(ReadFileBytes(kRecord), Expand(row.opened));
    }

    std::vector<std::string> expected;
    for (const auto& file : row.files)
        expected.push_back(Expand(file.first));
    std::sort(expected.begin(), expected.end());
    std::vector<std::string> added = NewNames(before, Snapshot());
    added.erase(std::remove(added.begin(), added.end(), packagePath + ".moved"), added.end());
    EXPECT_EQ(added, expected) << "files written";
    for (const Files* files : {&row.files, &row.existing}) {
        for (const auto& file : *files)
            EXPECT_TRUE(ReadFileBytes(Expand(file.first)) == file.second) << file.first << " holds other data";
    }
    for (const std::string& path : row.absent)
        EXPECT_EQ(GetFileAttributesA(Expand(path).c_str()), INVALID_FILE_ATTRIBUTES) << path << " exists";
    EXPECT_EQ(FontList(), expectedFonts) << "the font list";
    EXPECT_TRUE(ReadFileBytes(windows + "win.ini") == winIni) << "win.ini changed";
    if (row.message == nullptr) {
        std::vector<std::string> kept;
        for (const auto& file : row.existing)
            kept.push_back(Expand(file.first));
        for (const std::string& path : row.extractOnly)
            kept.push_back(Expand(path));
        EXPECT_EQ(ExtractDifference(packagePath, caseFolder.Path() + "extract", {themes, windows, SystemFolder(), fonts},
                                    added, kept),
                  "");
    }
}

std::string RowName(const ::testing::TestParamInfo<Row>& info)
{
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Package, Hostile, ::testing::ValuesIn(kRows), RowName);

}  // namespace
