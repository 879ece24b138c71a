// ExtractFiles against real archives and the real file system: what lands where, and what the page is told.
#include <gtest/gtest.h>

#include "install/ExtractFiles.h"
#include "tests/install/InstallTestSupport.h"

namespace {

// One archive, one destination folder, one run.
class Extraction : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetInstallerRegistry();
        ASSERT_TRUE(work.CreateTemporary());
        ASSERT_TRUE(target.CreateTemporary());
        destination = target.Path();
    }
    void TearDown() override { ResetInstallerRegistry(); }

    bool Run(const std::vector<TestEntry>& entries, const std::vector<std::string>& patterns)
    {
        const std::string archive = work / "package.zip";
        EXPECT_TRUE(WriteArchive(archive, entries));
        return RunOn(archive, patterns);
    }

    bool RunOn(const std::string& archive, const std::vector<std::string>& patterns)
    {
        StringList list;
        FillPatterns(list, patterns);
        const ExtractionOutcome outcome =
            ExtractFiles(page, String(archive.c_str()), list, String(destination.c_str()));
        themeFilePath = outcome.themeFilePath;
        return outcome.success;
    }

    ScratchFolder work;
    ScratchFolder target;
    std::string destination;
    RecordingPage page;
    String themeFilePath;
};

const TestEntry kPackHead = {"PackHead", std::string(16, '\0')};

TEST_F(Extraction, ThemeFilesLandByPositionWithTheirFoldersAndProgress)
{
    destination.pop_back();  // without its backslash: the engine adds one
    const std::string wallpaper(100000, 'w');
    ASSERT_TRUE(Run({{"whatever1", "[Theme]\r\n"}, {"whatever2", wallpaper}, {"whatever3", "RIFF", false}, kPackHead},
                    {"%ThemeDir%Blue.theme", "%ThemeDir%Blue\\Wallpaper.bmp", "%themedir%Blue\\Sounds\\Start.wav"}));
    EXPECT_EQ(ReadFileBytes(target / "Blue.theme"), "[Theme]\r\n");
    EXPECT_EQ(ReadFileBytes(target / "Blue\\Wallpaper.bmp"), wallpaper);
    EXPECT_EQ(ReadFileBytes(target / "Blue\\Sounds\\Start.wav"), "RIFF");
    EXPECT_TRUE(page.log.empty());
    EXPECT_EQ(page.positions, (std::vector<int>{33, 66, 100, 100}));
    EXPECT_EQ(page.statusTexts.front(), "Extracting files...");
    EXPECT_STREQ(themeFilePath.Text(), (target / "Blue.theme").c_str());
}

TEST_F(Extraction, ExistingThemeFileIsSkippedAndStillRemembered)
{
    ASSERT_TRUE(WriteFileBytes(target / "Blue.theme", "mine"));
    ASSERT_TRUE(Run({{"a", "theirs"}, {"b", "pic"}, kPackHead}, {"%ThemeDir%Blue.theme", "%ThemeDir%Blue.bmp"}));
    EXPECT_EQ(ReadFileBytes(target / "Blue.theme"), "mine");
    EXPECT_EQ(ReadFileBytes(target / "Blue.bmp"), "pic");
    EXPECT_EQ(page.log, (std::vector<std::string>{"Skipping '" + (target / "Blue.theme") + "'. File already exists!\n"}));
    EXPECT_STREQ(themeFilePath.Text(), (target / "Blue.theme").c_str());
}

TEST_F(Extraction, MorePatternsThanEntriesInstallsWhatIsThereAndFails)
{
    EXPECT_FALSE(Run({{"a", "1"}, {"b", "2"}}, {"%ThemeDir%a.txt", "%ThemeDir%b.txt", "%ThemeDir%c.txt"}));
    EXPECT_EQ(ReadFileBytes(target / "a.txt"), "1");
    EXPECT_EQ(ReadFileBytes(target / "b.txt"), "2");
    EXPECT_EQ(page.log, (std::vector<std::string>{"Not all files were installed! The package might be corrupt!\n"}));
    EXPECT_EQ(page.positions, (std::vector<int>{33, 100}));
}

TEST_F(Extraction, LastEntryWithoutPackHeadAfterItStillSucceeds)
{
    EXPECT_TRUE(Run({{"a", "1"}, {"b", "2"}}, {"%ThemeDir%a.txt", "%ThemeDir%b.txt"}));
    EXPECT_EQ(page.positions, (std::vector<int>{50, 100}));
}

TEST_F(Extraction, DamagedEntryIsRemovedReportedAndTheRunGoesOn)
{
    const std::string archive = work / "package.zip";
    const std::string payload(64, 'x');
    ASSERT_TRUE(WriteArchive(archive, {{"a", payload, false}, {"b", "good"}, kPackHead}));
    // Stored data follows the 30-byte local header and the one-letter name.
    std::string bytes = ReadFileBytes(archive);
    ASSERT_EQ(bytes.substr(31, payload.size()), payload);
    bytes[40] = 'y';
    ASSERT_TRUE(WriteFileBytes(archive, bytes));

    EXPECT_FALSE(RunOn(archive, {"%ThemeDir%a.bmp", "%ThemeDir%b.txt"}));
    EXPECT_EQ(GetFileAttributesA((target / "a.bmp").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ReadFileBytes(target / "b.txt"), "good");
    EXPECT_EQ(page.log, (std::vector<std::string>{"Damaged file '%ThemeDir%a.bmp' in package!\n"}));
}

TEST_F(Extraction, EntryCutShortIsDamagedNotInstalledWhole)
{
    const std::string archive = work / "package.zip";
    ASSERT_TRUE(WriteArchive(archive, {{"a", std::string(64, 'x'), false}, kPackHead}));
    // Announce 100 bytes where 64 are stored, in the local header (offset 22)
    // and in the central directory (offset 24): the data then ends early.
    std::string bytes = ReadFileBytes(archive);
    const size_t central = bytes.find("PK\x01\x02");
    ASSERT_NE(central, std::string::npos);
    bytes[22] = 100;
    bytes[central + 24] = 100;
    ASSERT_TRUE(WriteFileBytes(archive, bytes));

    EXPECT_FALSE(RunOn(archive, {"%ThemeDir%a.bmp"}));
    EXPECT_EQ(GetFileAttributesA((target / "a.bmp").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(page.log, (std::vector<std::string>{"Damaged file '%ThemeDir%a.bmp' in package!\n"}));
}

TEST_F(Extraction, ThemeFileWithoutExtensionCannotBeWrittenAndSaysSo)
{
    // Its own name becomes a folder first, so the file itself cannot be made.
    EXPECT_FALSE(Run({{"a", "data"}, kPackHead}, {"%ThemeDir%README"}));
    EXPECT_TRUE(IsFolder(target / "README"));
    EXPECT_EQ(page.log, (std::vector<std::string>{"Failed to write '" + (target / "README") + "'!\n"}));
}

TEST_F(Extraction, ShortArchiveIsReportedAfterAnEarlierFailureToo)
{
    ASSERT_TRUE(CreateDirectoryA((target / "a.txt").c_str(), nullptr));
    EXPECT_FALSE(Run({{"a", "1"}}, {"%ThemeDir%a.txt", "%ThemeDir%b.txt"}));
    EXPECT_EQ(page.log, (std::vector<std::string>{"Failed to write '" + (target / "a.txt") + "'!\n",
                                                  "Not all files were installed! The package might be corrupt!\n"}));
}

TEST_F(Extraction, DestinationThatCannotBeWrittenIsReportedAndTheRunGoesOn)
{
    // A folder stands where the file should go: the exists test passes, the create fails.
    ASSERT_TRUE(CreateDirectoryA((target / "Blue.bmp").c_str(), nullptr));
    EXPECT_FALSE(Run({{"a", "pic"}, {"b", "text"}, kPackHead}, {"%ThemeDir%Blue.bmp", "%ThemeDir%Blue.txt"}));
    EXPECT_EQ(page.log, (std::vector<std::string>{"Failed to write '" + (target / "Blue.bmp") + "'!\n"}));
    EXPECT_EQ(ReadFileBytes(target / "Blue.txt"), "text");
}

TEST_F(Extraction, FolderThatCannotBeCreatedEndsTheRun)
{
    ASSERT_TRUE(WriteFileBytes(target / "Blue", "in the way"));
    EXPECT_FALSE(Run({{"a", "1"}, {"b", "2"}, kPackHead}, {"%ThemeDir%Blue\\a.txt", "%ThemeDir%b.txt"}));
    EXPECT_EQ(page.log, (std::vector<std::string>{"Failed to create path '" + (target / "Blue\\a.txt") + "'!\n"}));
    EXPECT_EQ(GetFileAttributesA((target / "b.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(page.positions, (std::vector<int>{100}));
}

TEST_F(Extraction, MissingArchiveIsReportedAndNothingIsHandled)
{
    EXPECT_FALSE(RunOn(work / "missing.zip", {"%ThemeDir%a.txt"}));
    EXPECT_EQ(page.log, (std::vector<std::string>{"Failed to open temporary file!\n"}));
    EXPECT_TRUE(page.positions.empty());
}

TEST_F(Extraction, EmptyPatternListSucceedsWithoutATheme)
{
    EXPECT_TRUE(Run({kPackHead}, {}));
    EXPECT_EQ(page.positions, (std::vector<int>{100}));
    EXPECT_STREQ(themeFilePath.Text(), "") << "no theme file to offer";
}

TEST_F(Extraction, OnlyAFileEndingInDotThemeIsRemembered)
{
    // Neither a folder holding ".the" nor a program named like a theme is
    // what the shell should open at Finish.
    destination += "Blue.Themes\\";
    EXPECT_TRUE(Run({{"a", "pic"}, {"b", "MZ"}, {"c", "[Theme]"}, kPackHead},
                    {"%ThemeDir%Blue.bmp", "%ThemeDir%Blue.theme.exe", "%ThemeDir%Blue.THEME"}));
    EXPECT_STREQ(themeFilePath.Text(), (target / "Blue.Themes\\Blue.THEME").c_str());
}

// A pattern may name only a file below its variable's folder: the others are
// refused one by one, and nothing lands anywhere else.
TEST_F(Extraction, PatternsLeavingTheirFolderAreRefusedAndTheRunGoesOn)
{
    const std::vector<std::string> refused = {"%ThemeDir%..\\escape.txt", "%ThemeDir%a/../../escape.txt",
                                              "%WinDir%..\\vltest-escape.txt", "%ThemeDir%ok.txt:stream",
                                              "%ThemeDir%NUL.txt", "%ThemeDir%C:\\vltest-escape.txt"};
    std::vector<TestEntry> entries;
    for (size_t i = 0; i <= refused.size(); ++i)
        entries.push_back({"e" + std::to_string(i), "data " + std::to_string(i)});
    entries.push_back(kPackHead);
    std::vector<std::string> patterns = refused;
    patterns.push_back("%ThemeDir%Sub/ok.txt");
    EXPECT_FALSE(Run(entries, patterns));
    std::vector<std::string> log;
    for (const std::string& pattern : refused)
        log.push_back("Refused '" + pattern + "'. It does not name a file inside its folder!\n");
    EXPECT_EQ(page.log, log);
    EXPECT_EQ(ReadFileBytes(target / "Sub\\ok.txt"), "data " + std::to_string(refused.size()))
        << "a slash separates folders too";
    const std::string parent = target.Path().substr(0, target.Path().find_last_of('\\', target.Path().size() - 2) + 1);
    EXPECT_EQ(GetFileAttributesA((parent + "escape.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA("C:\\vltest-escape.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA("C:\\windows\\..\\vltest-escape.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA((target / "ok.txt").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Extraction, PatternWithoutVariableIsPassedOverSilently)
{
    EXPECT_TRUE(Run({{"a", "1"}, kPackHead}, {"plain.txt"}));
    EXPECT_TRUE(page.log.empty());
    EXPECT_EQ(GetFileAttributesA("plain.txt"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Extraction, WindowsAndSystemFilesAreWrittenOnceAndNeverReplaced)
{
    char windows[MAX_PATH];
    char system[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string ini = std::string(windows) + "\\vltest-extract.ini";
    const std::string dll = std::string(system) + "\\vltest-extract.dat";
    DeleteFileA(ini.c_str());
    ASSERT_TRUE(WriteFileBytes(dll, "kept"));

    EXPECT_TRUE(Run({{"a", "[ini]"}, {"b", "new"}, kPackHead}, {"%WinDir%vltest-extract.ini", "%SysDir%vltest-extract.dat"}));
    EXPECT_EQ(ReadFileBytes(ini), "[ini]");
    EXPECT_EQ(ReadFileBytes(dll), "kept");
    EXPECT_TRUE(page.log.empty()) << "an existing system file is kept without a log line";
    DeleteFileA(ini.c_str());
    DeleteFileA(dll.c_str());
}

}  // namespace
