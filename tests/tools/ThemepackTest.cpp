// Tests of the themepack command as a user runs it: exit status, standard output and standard error.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "ProductVersion.h"
#include "package/PackHead.h"
#include "package/PackHeadEncoder.h"
#include "package/PackageWriter.h"
#include "tests/support/TestFiles.h"

namespace {

namespace fs = std::filesystem;

struct Entry {
    std::string name;
    std::string bytes;
};

struct CommandResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Public, so that the table rows' builders can reach them.
class ThemepackTest : public ::testing::Test {
public:
    void SetUp() override
    {
        folder = fs::path(::testing::TempDir()) /
                 (std::string("themepack_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        WriteFileBytes(folder / "stub.exe", ProgramImage(2048));
        WriteFileBytes(folder / "signed.exe", ProgramImage(2048, 2048, 16) + std::string(16, 'S'));
        WriteFileBytes(folder / "side.bmp", BitmapFile(8, 16));
        WriteFileBytes(folder / "preview.bmp", BitmapFile(12, 9));
        WriteFileBytes(folder / "about.txt", "Deep blue.\nSecond line.\n");
        WriteFileBytes(folder / "blue.theme", "[Theme]\r\nWallpaper=%ThemeDir%Blue.bmp\r\n");
        WriteFileBytes(folder / "wall.bmp", BitmapFile(32, 32));
    }
    void TearDown() override { fs::remove_all(folder); }

    // Runs themepack in the test folder; arguments are shell words.
    CommandResult Themepack(const std::string& arguments) const
    {
        const std::string command =
            "cd '" + folder.string() + "' && '" THEMEPACK "' " + arguments + " >out.txt 2>err.txt";
        const int raw = std::system(command.c_str());
        CommandResult run;
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.out = ReadFileBytes(folder / "out.txt");
        run.err = ReadFileBytes(folder / "err.txt");
        return run;
    }

    // stub.exe, then a ZIP of the entries, then the trailer, changed by spoil.
    void BuildPackage(const std::vector<Entry>& entries, const std::function<void(std::string&)>& spoil = {}) const
    {
        ZipWriter zip;
        ASSERT_TRUE(zip.Create((folder / "payload.zip").string().c_str()));
        for (const Entry& entry : entries)
            ASSERT_TRUE(zip.AddBytes(entry.name.c_str(), entry.bytes.data(), entry.bytes.size()));
        ASSERT_TRUE(zip.Close());
        std::string error;
        ASSERT_TRUE(AssemblePackage((folder / "stub.exe").string(), (folder / "payload.zip").string(),
                                    (folder / "broken.exe").string(), PackageTrailer(), error))
            << error;
        if (spoil) {
            std::string bytes = ReadFileBytes(folder / "broken.exe");
            spoil(bytes);
            WriteFileBytes(folder / "broken.exe", bytes);
        }
    }

    fs::path folder;
};

std::string Head(const std::vector<std::string>& patterns, const std::function<void(std::string&)>& spoil = {},
                 const std::string& sideImage = "", const std::string& description = "")
{
    PackHeadParts parts;
    parts.patterns = patterns;
    parts.hasSideImage = !sideImage.empty();
    parts.sideImage = sideImage;
    parts.hasDescription = !description.empty();
    parts.description = description;
    const std::vector<unsigned char> encoded = EncodePackHead(parts);
    std::string bytes(encoded.begin(), encoded.end());
    if (spoil)
        spoil(bytes);
    return bytes;
}

// Where BuildPackage's payload starts: after the stub.
constexpr size_t kPayloadStart = 2048;

// The first entry's local record, header and data, as BuildPackage wrote it.
std::string FirstLocalRecord(const std::string& b)
{
    const uint32_t packed = GetField32(b, b.find("PK\x01\x02") + 20);
    return b.substr(kPayloadStart, 30 + GetField16(b, kPayloadStart + 26) + GetField16(b, kPayloadStart + 28) + packed);
}

// Points the first entry at a copy of its local record behind the payload,
// where a reader that strays past the payload's end would unpack it.
void AimFirstEntryPastThePayload(std::string& b)
{
    const std::string copy = FirstLocalRecord(b);
    PutField32(b, b.find("PK\x01\x02") + 42, GetField32(b, b.size() - 4));
    b.insert(b.size() - 20, copy);
}

// Points the first entry at a copy of its local record in the program
// image, 1024 bytes before the payload, through a ZIP64 offset that wraps
// around: a reader that strays before the payload's start would unpack it.
void AimFirstEntryIntoTheProgramImage(std::string& b)
{
    const std::string copy = FirstLocalRecord(b);
    b.replace(kPayloadStart - 1024, copy.size(), copy);
    const size_t record = b.find("PK\x01\x02");
    const size_t end = b.size() - 20 - 22;
    std::string extra(12, '\xFF');  // ZIP64 field 1, 8 bytes: the offset, -1024
    extra.replace(0, 5, std::string("\x01\x00\x08\x00\x00", 5));
    extra[5] = '\xFC';
    PutField32(b, end + 12, GetField32(b, end + 12) + 12);
    PutField32(b, b.size() - 4, GetField32(b, b.size() - 4) + 12);
    PutField32(b, record + 42, 0xFFFFFFFF);
    b[record + 30] = 12;
    b.insert(record + 46 + GetField16(b, record + 28), extra);
}

// What themepack says when no stub is named and none is installed beside it.
std::string NoInstalledStub()
{
    const fs::path stub = fs::path(THEMEPACK).parent_path().parent_path() / "share/themepack/themesetup-x64.exe";
    return "no installer stub given (--stub STUB) and none installed: there is no '" + stub.string() + "'";
}

// Installed as a release installs it, themepack takes the stub beside it,
// of the architecture asked for, when none is named.
TEST_F(ThemepackTest, InstalledStubIsUsedWhenNoneIsNamed)
{
    const fs::path prefix = folder / "prefix";
    fs::create_directories(prefix / "bin");
    fs::create_directories(prefix / "share/themepack");
    fs::copy_file(THEMEPACK, prefix / "bin/themepack");
    const std::string x64 = ProgramImage(2048);
    std::string x86 = ProgramImage(3072);
    x86[0x84] = 0x4C;  // machine i386, 0x014C
    x86[0x85] = 0x01;
    WriteFileBytes(prefix / "share/themepack/themesetup-x64.exe", x64);
    WriteFileBytes(prefix / "share/themepack/themesetup-x86.exe", x86);
    WriteFileBytes(folder / "blue.themepack", "[Package]\nOutput=file.exe\nArch=x86\n[Files]\n%ThemeDir%a.theme=blue.theme\n");
    const struct {
        std::string arguments;
        const char* output;
        const std::string* stub;
    } rows[] = {
        {"create -o default.exe '%ThemeDir%a.theme=blue.theme'", "default.exe", &x64},
        {"create --arch x86 -o x86.exe '%ThemeDir%a.theme=blue.theme'", "x86.exe", &x86},
        {"build blue.themepack", "file.exe", &x86},
        {"build blue.themepack --arch x64 -o line.exe", "line.exe", &x64},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.arguments);
        const std::string command = "cd '" + folder.string() + "' && prefix/bin/themepack " + row.arguments +
                                    " >out.txt 2>err.txt";
        ASSERT_EQ(std::system(command.c_str()), 0) << ReadFileBytes(folder / "err.txt");
        EXPECT_EQ(ReadFileBytes(folder / row.output).substr(0, row.stub->size()), *row.stub);
    }
    const std::string version = "cd '" + folder.string() + "' && prefix/bin/themepack --version >out.txt";
    ASSERT_EQ(std::system(version.c_str()), 0);
    EXPECT_NE(ReadFileBytes(folder / "out.txt").find("installer stub x86: for i686 ("), std::string::npos)
        << ReadFileBytes(folder / "out.txt");
}

TEST_F(ThemepackTest, HelpShowsTheUsageAndVersionTheBuildsVersion)
{
    const CommandResult version = Themepack("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.substr(0, version.out.find('\n') + 1), std::string("themepack ") + PRODUCT_VERSION_TEXT + "\n");

    for (const char* arguments : {"--help", "help", "-h", "create --help", "build --help", "list --help"}) {
        const CommandResult run = Themepack(arguments);
        EXPECT_EQ(run.status, 0) << arguments;
        EXPECT_EQ(run.out.rfind("Usage:\n  themepack create [--stub STUB | --arch ARCH] -o OUT.exe", 0), 0u)
            << arguments << ":\n" << run.out;
        EXPECT_EQ(run.err, "") << arguments;
    }
    const CommandResult bare = Themepack("");
    EXPECT_EQ(bare.status, 2);
    EXPECT_EQ(bare.err.rfind("Usage:", 0), 0u);
}

TEST_F(ThemepackTest, CreatedPackageInspectsAsTheInstallerWouldReadIt)
{
    const CommandResult create = Themepack(
        "create --stub stub.exe -o blue.exe --side-image side.bmp --description about.txt --preview preview.bmp "
        "'%ThemeDir%Blue.theme=blue.theme' '%ThemeDir%Walls/Blue.bmp=wall.bmp'");
    ASSERT_EQ(create.status, 0) << create.err;
    EXPECT_EQ(create.err, "");
    EXPECT_EQ(create.out,
              "Wrote blue.exe: 2 files, " + std::to_string(fs::file_size(folder / "blue.exe")) + " bytes\n");

    const CommandResult inspect = Themepack("inspect blue.exe");
    EXPECT_EQ(inspect.status, 0) << inspect.err;
    EXPECT_EQ(inspect.err, "");
    for (const char* line : {
             "\nTrailer\n  trailerSize    20\n  magic          0x03AF7319\n  formatVersion  1\n"
             "  payloadOffset  2048\n",
             "  layout         as written: program image, payload, trailer\n",
             "\nArchive: 3 entries\nPackHead (entry 2, ",
             "  headerSize     16\n  fileCount      2\n  flags          0x00000007 (side image, description, "
             "preview)\n",
             "  side image     438 bytes announced, 438 present: bitmap 8 x 16, 24 bits per pixel\n",
             "  description    26 characters announced, 26 present\n",
             "  preview        378 bytes announced, 378 present: bitmap 12 x 9, 24 bits per pixel\n",
             "\nDescription\n  | Deep blue.\n  | Second line.\n",
             "\nFiles (2 patterns, paired with the entries by position)\n  0  %ThemeDir%Blue.theme\n"
             "       entry \"Blue.theme\": deflated (8), ",
             "\n  1  %ThemeDir%Walls\\Blue.bmp\n       entry \"Walls\\Blue.bmp\": deflated (8), ",
         }) {
        EXPECT_NE(inspect.out.find(line), std::string::npos) << "missing:\n" << line << "\nin:\n" << inspect.out;
    }
    EXPECT_EQ(inspect.out.substr(inspect.out.size() - 12), "Verdict: OK\n") << inspect.out;
}

TEST_F(ThemepackTest, PackageFileBuildsThePackageCreateWritesFromTheSameFiles)
{
    const CommandResult create = Themepack(
        "create --stub stub.exe -o blue.exe --side-image side.bmp --description about.txt --preview preview.bmp "
        "'%ThemeDir%Blue.theme=blue.theme' '%ThemeDir%Walls/Blue.bmp=wall.bmp'");
    ASSERT_EQ(create.status, 0) << create.err;
    // Paths relative to the package file, and one absolute; BOM, CR LF,
    // comments, blanks and letter case as an editor on Windows may leave them.
    fs::create_directories(folder / "theme");
    WriteFileBytes(folder / "theme" / "Blue.themepack",
                   "\xEF\xBB\xBF; Blue\r\n[Package]\r\n  output = ../from-file.exe \r\nSTUB=../stub.exe\r\n"
                   "SideImage=../side.bmp\r\n\r\n# the rest\r\n[files]\r\n"
                   " %ThemeDir%Blue.theme = ../blue.theme\r\n"
                   "%ThemeDir%Walls/Blue.bmp=" + (folder / "wall.bmp").string() +
                   "\r\n[PACKAGE]\r\nDescription=../about.txt\r\nPreview=../preview.bmp\r\n");
    const std::string expected = ReadFileBytes(folder / "blue.exe");
    const struct {
        const char* arguments;
        const char* output;
    } rows[] = {
        {"build theme/Blue.themepack", "theme/../from-file.exe"},
        {"build -o given.exe theme/Blue.themepack --stub stub.exe", "given.exe"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.arguments);
        const CommandResult run = Themepack(row.arguments);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, std::string("Wrote ") + row.output + ": 2 files, " + std::to_string(expected.size()) +
                               " bytes\n");
        EXPECT_TRUE(ReadFileBytes(folder / row.output) == expected);
    }
    // The stub on the command line replaces the file's.
    const CommandResult signedStub = Themepack("build theme/Blue.themepack --stub signed.exe");
    EXPECT_EQ(signedStub.status, 1);
    EXPECT_EQ(signedStub.err, "themepack: stub 'signed.exe' is signed: sign the finished package instead\n");
}

// Names typed in UTF-8 (a package file, a description, this system's command
// line) are stored in the code page the installer reads them in, and shown
// and written back in UTF-8; a character the page cannot hold stops the
// package with its name.
TEST_F(ThemepackTest, NamesAreStoredInTheInstallersCodePage)
{
    WriteFileBytes(folder / "Caf\xC3\xA9.bmp", "wall");
    WriteFileBytes(folder / "about-utf8.txt", "\xEF\xBB\xBF" "Caf\xC3\xA9 au lait\n");
    const std::string head = "[Package]\nStub=stub.exe\nOutput=out.exe\n";
    const struct {
        const char* what;
        std::string packageFile;  // empty: arguments is a create command line
        std::string arguments;
        int status;
        std::string stored;   // bytes the package holds: the entry name, raw in the archive
        std::string listed;   // list's pattern column, in UTF-8
        std::string extracted;  // the file extract writes below out/ThemeDir
        std::string error;
    } rows[] = {
        {"UTF-8 package file", head + "[Files]\n%ThemeDir%Caf\xC3\xA9.bmp=Caf\xC3\xA9.bmp\n", "", 0, "Caf\xE9.bmp",
         "%ThemeDir%Caf\xC3\xA9.bmp", "Caf\xC3\xA9.bmp", ""},
        {"package file in the code page itself", head + "[Files]\n%ThemeDir%Caf\xE9.bmp=Caf\xC3\xA9.bmp\n", "", 0,
         "Caf\xE9.bmp", "%ThemeDir%Caf\xC3\xA9.bmp", "Caf\xC3\xA9.bmp", ""},
        {"command line", "", "create --stub stub.exe -o out.exe '%ThemeDir%\\Caf\xC3\xA9.bmp=Caf\xC3\xA9.bmp'", 0,
         "Caf\xE9.bmp", "%ThemeDir%\\Caf\xC3\xA9.bmp", "Caf\xC3\xA9.bmp", ""},
        {"Cyrillic page from the package file",
         head + "CodePage = 1251\n[Files]\n%ThemeDir%\xD0\x96.bmp=Caf\xC3\xA9.bmp\n", "--codepage 1251", 0, "\xC6.bmp",
         "%ThemeDir%\xD0\x96.bmp", "\xD0\x96.bmp", ""},
        {"character the page lacks", head + "[Files]\n%ThemeDir%\xCE\xA9.bmp=Caf\xC3\xA9.bmp\n", "", 1, "", "",
         "", "themepack: in.themepack:5: pattern '%ThemeDir%\xCE\xA9.bmp': '\xCE\xA9' (U+03A9) is not in code page 1252\n"},
        {"command line character the page lacks", "", "create --stub stub.exe -o out.exe '%ThemeDir%\xCE\xA9.bmp=a.bmp'",
         1, "", "", "", "themepack: pattern '%ThemeDir%\xCE\xA9.bmp': '\xCE\xA9' (U+03A9) is not in code page 1252\n"},
        // 0x95 0x5C: the installer would split the name at its second byte.
        {"double-byte character that reads as a separator", "",
         "create --codepage 932 --stub stub.exe -o out.exe '%ThemeDir%\xE8\xA1\xA8.bmp=a.bmp'", 1, "", "", "",
         "themepack: pattern '%ThemeDir%\xE8\xA1\xA8.bmp': '\xE8\xA1\xA8' (U+8868) cannot be part of a path in code "
         "page 932: a byte of it reads as a separator or a reserved character\n"},
        {"unknown code page", head, "--codepage 7", 2, "", "", "",
         "themepack: --codepage: code page 7 is not one this system can convert (try themepack --help)\n"},
        {"code page that is no number", head + "CodePage=Western\n", "", 1, "", "", "",
         "themepack: in.themepack:4: CodePage: 'Western' is no code page number, such as 1252\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        fs::remove_all(folder / "out");
        fs::remove(folder / "out.exe");
        std::string arguments = row.arguments;
        if (!row.packageFile.empty()) {
            WriteFileBytes(folder / "in.themepack", row.packageFile);
            arguments = "build in.themepack " + row.arguments;
        }
        const CommandResult run = Themepack(arguments);
        EXPECT_EQ(run.status, row.status);
        EXPECT_EQ(run.err, row.error);
        if (row.status != 0)
            continue;
        const std::string codePage = row.arguments.find("1251") != std::string::npos ? " --codepage 1251" : "";
        EXPECT_NE(ReadFileBytes(folder / "out.exe").find(row.stored), std::string::npos);
        const CommandResult list = Themepack("list out.exe" + codePage);
        EXPECT_EQ(list.out.substr(list.out.find('\n') + 1, row.listed.size()), row.listed);
        const CommandResult extract = Themepack("extract out.exe --root out" + codePage);
        EXPECT_EQ(extract.status, 0) << extract.out << extract.err;
        EXPECT_EQ(ReadFileBytes(folder / "out" / "ThemeDir" / row.extracted), "wall");
    }
    // The description page shows the text through the code page too.
    ASSERT_EQ(Themepack("create --stub stub.exe -o out.exe --description about-utf8.txt").status, 0);
    const CommandResult inspect = Themepack("inspect out.exe");
    EXPECT_NE(inspect.out.find("  | Caf\xC3\xA9 au lait\n"), std::string::npos) << inspect.out;
    EXPECT_NE(inspect.out.find("14 characters announced"), std::string::npos) << inspect.out;
}

TEST_F(ThemepackTest, FaultyPackageFileNamesItsLine)
{
    const std::string head = "[Package]\nStub=stub.exe\nOutput=out.exe\n";
    const struct {
        std::string text;
        std::string error;
    } rows[] = {
        {"[Theme]\n", "bad.themepack:1: unknown section [Theme]"},
        {"[Package\n", "bad.themepack:1: '[Package' is not a [Section], a comment or KEY=VALUE"},
        {head + "Icon=blue.ico\n", "bad.themepack:4: unknown key 'Icon' in [Package]"},
        {head + "stub=signed.exe\n", "bad.themepack:4: 'Stub' given twice in [Package] (first on line 2)"},
        {head + "Preview=\n", "bad.themepack:4: 'Preview' has no file"},
        {head + "blue.theme\n", "bad.themepack:4: 'blue.theme' is not a [Section], a comment or KEY=VALUE"},
        {"Stub=stub.exe\n", "bad.themepack:1: 'Stub=stub.exe' comes before any [Section]"},
        {head + "[Files]\r\nblue.theme\r\n", "bad.themepack:5: 'blue.theme' is not PATTERN=FILE: no '='"},
        {head + "[Files]\n = blue.theme\n", "bad.themepack:5: '=blue.theme' is not PATTERN=FILE: no PATTERN"},
        {head + "[Files]\n%ThemeDir%a.theme =\n", "bad.themepack:5: '%ThemeDir%a.theme=' is not PATTERN=FILE: no FILE"},
        {head + "[Files]\n%ThemeDir%a" + std::string(1, '\0') + ".theme=blue.theme\n", "bad.themepack:5: holds a zero byte"},
        {"[Package]\nOutput=out.exe\n", NoInstalledStub()},
        {"[Package]\nOutput=out.exe\nArch=arm64\n", "bad.themepack:3: Arch: unknown architecture 'arm64': x64 or x86"},
        {"[Package]\nStub=stub.exe\n", "bad.themepack: no Output in [Package] and no -o OUT.exe given"},
        {head + "[Files]\n%ThemeDir%a.wav=missing.wav\n", "cannot open 'missing.wav': No such file or directory"},
        {head + "[Files]\n%ThemeDir%..\\a.theme=blue.theme\n",
         "pattern '%ThemeDir%..\\a.theme': a name ending in a dot or a space, such as '..': the installer refuses it"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        WriteFileBytes(folder / "bad.themepack", row.text);
        WriteFileBytes(folder / "out.exe", "older package");
        const CommandResult run = Themepack("build bad.themepack");
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, "themepack: " + row.error + "\n");
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(ReadFileBytes(folder / "out.exe"), "older package");
    }
}

TEST_F(ThemepackTest, ListShowsEachDestinationInInstallOrderAndMarksWhatWouldNotInstall)
{
    ASSERT_EQ(Themepack("create --stub stub.exe -o blue.exe '%ThemeDir%Blue/Blue.theme=blue.theme' "
                        "'%WinDir%About.txt=about.txt'")
                  .status,
              0);
    BuildPackage({{"x.txt", "[Theme]\r\n"}, {"PackHead", Head({"%ThemeDir%..\\x\x1b.txt", "%ThemeDir%y.txt", "%SysDir%b.dll"})}});
    const struct {
        const char* package;
        std::string out;
    } rows[] = {
        {"blue.exe",
         "PATTERN                    ENTRY            SIZE  CRC-32\n"
         "%ThemeDir%Blue\\Blue.theme  Blue\\Blue.theme    39  508db22d\n"
         "%WinDir%About.txt          About.txt          24  bc0eaefa\n"},
        {"broken.exe",
         "PATTERN                 ENTRY     SIZE  CRC-32\n"
         "%ThemeDir%..\\x\\x1B.txt  x.txt        9  7b47342f  ! a name ending in a dot or a space, such as "
         "'..': the installer refuses it\n"
         "%ThemeDir%y.txt         PackHead    78  0a629d44  ! its entry is PackHead: the installer writes the "
         "package's header as this file\n"
         "%SysDir%b.dll           -            -  -         ! no entry: the installer stops with \"Not all files "
         "were installed! The package might be corrupt!\"\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.package);
        const CommandResult run = Themepack(std::string("list ") + row.package);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, row.out);
    }
    // A font shows the entry the installer makes for it in the font list.
    const std::string roboto = std::string(PUBLISHED_FONTS_DIR) + "/Roboto-Black.ttf";
    ASSERT_EQ(Themepack("create --stub stub.exe -o fonts.exe '%FontDir%Roboto.ttf=" + roboto +
                        "' '%FontDir%Blue.ttf=about.txt'")
                  .status,
              0);
    const CommandResult fonts = Themepack("list fonts.exe");
    EXPECT_NE(fonts.out.find("  registered as 'Roboto Black (TrueType)'\n"), std::string::npos) << fonts.out;
    EXPECT_NE(fonts.out.find("  ! its entry is a font without a usable full name: the installer writes it but does "
                             "not register it\n"),
              std::string::npos)
        << fonts.out;
}

TEST_F(ThemepackTest, InspectGivesTheInstallersVerdictAndWarnings)
{
    const std::string theme = "[Theme]\r\n";
    const std::vector<std::string> two = {"%ThemeDir%Blue.theme", "%WinDir%Blue.ini"};
    const struct {
        const char* what;
        std::function<void(const ThemepackTest&)> build;
        int status;
        std::vector<std::string> lines;  // each must appear in the output
    } rows[] = {
        {"trailerSize 24",
         [&](const ThemepackTest& t) {
             t.BuildPackage({{"Blue.theme", theme}, {"PackHead", Head({two[0]})}},
                            [](std::string& b) { PutField32(b, b.size() - 20, 24); });
         },
         1, {"  trailerSize    24\n", "Verdict: Not a valid theme package!\n"}},
        {"no trailer at all",
         [](const ThemepackTest& t) { WriteFileBytes(t.folder / "broken.exe", "MZ" + std::string(100, '\0')); }, 1,
         {"  magic          0x00000000 (wrong)\n", "Verdict: Not a valid theme package!\n"}},
        {"shorter than a trailer", [](const ThemepackTest& t) { WriteFileBytes(t.folder / "broken.exe", "MZ"); }, 1,
         {"the file is shorter than the 20-byte trailer", "Verdict: Not a valid theme package!\n"}},
        {"payload not a ZIP archive",
         [&](const ThemepackTest& t) {
             t.BuildPackage({{"Blue.theme", theme}, {"PackHead", Head({two[0]})}}, [](std::string& b) {
                 for (size_t i = 2048; i < b.size() - 20; ++i)
                     b[i] = 'x';
             });
         },
         1, {"Archive: the payload is not a readable ZIP archive\n", "Verdict: Corrupted theme package!\n"}},
        {"no PackHead entry", [&](const ThemepackTest& t) { t.BuildPackage({{"Blue.theme", theme}}); }, 1,
         {"Archive: 1 entries\nPackHead: no such entry\n", "Verdict: Corrupted theme package!\n"}},
        {"headerSize 15",
         [&](const ThemepackTest& t) {
             t.BuildPackage({{"Blue.theme", theme}, {"PackHead", Head({two[0]}, [](std::string& b) { b[0] = 15; })}});
         },
         1, {"  headerSize     15 (must be 16)\n", "Verdict: Corrupted theme package!\n"}},
        {"more patterns than file entries",
         [&](const ThemepackTest& t) {
             t.BuildPackage({{"Blue.theme", theme}, {"PackHead", Head({two[0], two[1], "%SysDir%b.dll"})}});
         },
         0,
         {"  2  %SysDir%b.dll\n       no entry\n",
          "  - 3 patterns but only 1 file entries before PackHead: pattern 1 receives the PackHead entry as its "
          "file\n",
          "  - 3 patterns but only 2 entries: the installer stops with \"Not all files were installed! The "
          "package might be corrupt!\"\n",
          "Verdict: OK (2 warnings)\n"}},
        {"PackHead first",
         [&](const ThemepackTest& t) {
             t.BuildPackage({{"PackHead", Head(two)}, {"Blue.theme", theme}, {"Blue.ini", "[x]"}});
         },
         0,
         {"  - 2 patterns but only 0 file entries before PackHead: pattern 0 receives the PackHead entry",
          "  - PackHead is not the last entry: the 2 entries after it are paired with the patterns after it\n"}},
        {"fileCount beyond the records",
         [&](const ThemepackTest& t) {
             t.BuildPackage({{"Blue.theme", theme},
                             {"Blue.ini", "[x]"},
                             {"PackHead", Head(two, [](std::string& b) { b[4] = 5; })}});
         },
         0,
         {"  fileCount      5\n",
          "  - fileCount is 5 but only 2 path records are present: the installer uses 2\n",
          "Verdict: OK (1 warning)\n"}},
        {"pattern without a variable, bad side image, LF description, lower-case packhead",
         [&](const ThemepackTest& t) {
             t.BuildPackage({{"Blue.theme", theme}, {"packhead", Head({"Blue.theme"}, {}, "BX", "a\nb")}});
         },
         0,
         {"PackHead (entry 1, ",
          "  side image     2 bytes announced, 2 present: not a usable bitmap (too short for a bitmap file)\n",
          "  - pattern 0 'Blue.theme': no path variable (%ThemeDir%, %WinDir%, %SysDir% or %FontDir%): the "
          "installer skips it\n",
          "  - side image is not a usable bitmap (too short for a bitmap file): the wizard pages show no picture\n",
          "  - description lines end in LF alone: the description page needs CR LF to break them\n"}},
        {"entry with a method the installer cannot unpack",
         [&](const ThemepackTest& t) {
             t.BuildPackage({{"Blue.theme", theme}, {"PackHead", Head({two[0]})}},
                            [](std::string& b) { b[b.find("PK\x01\x02") + 10] = 12; });
         },
         0,
         {"       entry \"Blue.theme\": unknown method (12), ",
          "  - entry 0 cannot be unpacked (compression method 12): the installer stops with \"Failed to open "
          "'%ThemeDir%Blue.theme' in package!\"\n"}},
        {"bytes between payload and trailer, damaged entry",
         [&](const ThemepackTest& t) {
             t.BuildPackage({{"Blue.theme", std::string(3000, 'a')}, {"PackHead", Head({two[0]})}},
                            [](std::string& b) {
                                b[2048 + 30 + 10 + 2] ^= 0x55;
                                b.insert(b.size() - 20, "gap!");
                            });
         },
         0,
         {"  layout         4 bytes lie between the payload and the trailer\n",
          "  - entry 0 is damaged (its data does not unpack in full to its CRC): the installer writes \"Damaged file "
          "'%ThemeDir%Blue.theme' in package!\" and leaves the file out\n"}},
        {"signed package, padded before its certificate table",
         [&](const ThemepackTest& t) {
             t.BuildPackage({{"Blue.theme", theme}, {"PackHead", Head({two[0]})}}, [](std::string& b) {
                 const uint32_t table = static_cast<uint32_t>(b.size() + 4);
                 PutField32(b, 0x80 + 24 + 112 + 32, table);
                 PutField32(b, 0x80 + 24 + 112 + 36, 100);
                 b += std::string(4, '\0') + std::string(100, 'S');
             });
         },
         0,
         {"Signature: a certificate table of 100 bytes at offset ", "; the trailer precedes it\n",
          "  layout         as written: program image, payload, trailer\n", "Verdict: OK\n"}},
        {"payload overlapping the trailer",
         [&](const ThemepackTest& t) {
             t.BuildPackage({{"Blue.theme", theme}, {"PackHead", Head({two[0]})}},
                            [](std::string& b) { PutField32(b, b.size() - 4, GetField32(b, b.size() - 4) + 10); });
         },
         0, {"  layout         the payload overlaps the trailer by 10 bytes\n"}},
        {"two entries sharing one stored stream",
         [&](const ThemepackTest& t) {
             t.BuildPackage({{"a.txt", std::string(5000, 'x')}, {"b.txt", std::string(5000, 'x')},
                             {"PackHead", Head({"%ThemeDir%a.txt", "%ThemeDir%b.txt"})}},
                            [](std::string& b) {
                                const size_t second = b.find("PK\x01\x02", b.find("PK\x01\x02") + 4);
                                PutField32(b, second + 42, 0);
                            });
         },
         0,
         {"  - entry 1 is damaged (its stored data overlaps an earlier entry's): the installer writes \"Damaged file "
          "'%ThemeDir%b.txt' in package!\" and leaves the file out\n"}},
        {"pattern leaving its folder, control characters",
         [&](const ThemepackTest& t) {
             t.BuildPackage({{"x.txt", theme}, {"PackHead", Head({"%ThemeDir%..\\x.txt"}, {}, "", "a\x1b[2Jb")}});
         },
         0,
         {"  - pattern 0 '%ThemeDir%..\\x.txt': a name ending in a dot or a space, such as '..': the installer "
          "refuses it\n",
          "  | a\\x1B[2Jb\n"}},
        // The payload is read where it lies, and never past its ends.
        {"payload length stopping short of the archive's end record",
         [&](const ThemepackTest& t) {
             t.BuildPackage({{"Blue.theme", theme}, {"PackHead", Head({two[0]})}},
                            [](std::string& b) { PutField32(b, b.size() - 4, GetField32(b, b.size() - 4) - 22); });
         },
         1,
         {"  layout         22 bytes lie between the payload and the trailer\n",
          "Archive: the payload is not a readable ZIP archive\n", "Verdict: Corrupted theme package!\n"}},
        {"entry pointing past the payload's end",
         [&](const ThemepackTest& t) {
             t.BuildPackage({{"Blue.theme", theme}, {"PackHead", Head({two[0]})}}, AimFirstEntryPastThePayload);
         },
         0,
         {"  - entry 0 cannot be unpacked (its local header is damaged): the installer stops with \"Failed to open "
          "'%ThemeDir%Blue.theme' in package!\"\n"}},
        {"entry pointing before the payload, into the program image",
         [&](const ThemepackTest& t) {
             t.BuildPackage({{"Blue.theme", theme}, {"PackHead", Head({two[0]})}}, AimFirstEntryIntoTheProgramImage);
         },
         0,
         {"  layout         as written: program image, payload, trailer\n",
          "  - entry 0 cannot be unpacked (its local header is damaged): the installer stops with \"Failed to open "
          "'%ThemeDir%Blue.theme' in package!\"\n"}},
        {"archive offsets counted from the start of the file, as a self-extractor's",
         [&](const ThemepackTest& t) {
             t.BuildPackage({{"Blue.theme", theme}, {"PackHead", Head({two[0]})}}, [](std::string& b) {
                 for (size_t at = b.find("PK\x01\x02"); at != std::string::npos; at = b.find("PK\x01\x02", at + 4))
                     PutField32(b, at + 42, GetField32(b, at + 42) + kPayloadStart);
                 PutField32(b, b.size() - 20 - 6, GetField32(b, b.size() - 20 - 6) + kPayloadStart);
             });
         },
         1, {"Archive: the payload is not a readable ZIP archive\n", "Verdict: Corrupted theme package!\n"}},
        {"payload running past the end of the file",
         [&](const ThemepackTest& t) {
             t.BuildPackage({{"Blue.theme", theme}, {"PackHead", Head({two[0]})}},
                            [](std::string& b) { PutField32(b, b.size() - 4, 0x7FFFFFFF); });
         },
         0, {"  layout         the payload runs past the end of the file, which holds ", "Verdict: OK\n"}},
        {"payload starting 100 bytes before the end of the file",
         [&](const ThemepackTest& t) {
             t.BuildPackage({{"Blue.theme", theme}, {"PackHead", Head({two[0]})}}, [](std::string& b) {
                 PutField32(b, b.size() - 8, static_cast<uint32_t>(b.size() - 100));
                 PutField32(b, b.size() - 4, 1000);
             });
         },
         1,
         {"  layout         the payload runs past the end of the file, which holds 100 bytes of it\n",
          "Verdict: Corrupted theme package!\n"}},
        {"description past its limit",
         [&](const ThemepackTest& t) {
             t.BuildPackage({{"Blue.theme", theme},
                             {"PackHead", Head({two[0]}, [](std::string& b) { PutField32(b, 16, 0x200000); }, "",
                                               "desc")}});
         },
         1, {"  limits         passed: a package holds at most 1048576 bytes of description", "Verdict: Corrupted theme package!\n"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        row.build(*this);
        const CommandResult run = Themepack("inspect broken.exe");
        EXPECT_EQ(run.status, row.status) << run.out << run.err;
        EXPECT_EQ(run.err, "");
        for (const std::string& line : row.lines)
            EXPECT_NE(run.out.find(line), std::string::npos) << "missing:\n" << line << "\nin:\n" << run.out;
    }
}

// Every name and text a package holds is hostile: the documents stay valid
// JSON, the bytes read as Windows-1252 (the five bytes it leaves undefined
// keep their own code point).
TEST_F(ThemepackTest, JsonDocumentsParseForHostileNamesAndRejectedPackages)
{
    std::string hostileName = "q\"b\\c\x01";
    for (int c = 0x80; c <= 0xFF; ++c)
        hostileName += static_cast<char>(c);
    hostileName += ".txt";
    // The row's expression goes in place of CHECK.
    const std::string script =
        "import json, sys, zlib\n"
        "def ansi(b): return ''.join(chr(c) if c in (0x81, 0x8d, 0x8f, 0x90, 0x9d) "
        "else bytes([c]).decode('cp1252') for c in b)\n"
        "name = 'q\"b\\\\c\\x01' + ansi(bytes(range(0x80, 0x100))) + '.txt'\n"
        "rejected = {'accepted': False, 'message': 'Corrupted theme package!'}\n"
        "d = json.load(open('out.txt', encoding='utf-8'))\n"
        "sys.exit(0 if d['format'] == 1 and (CHECK) else 1)\n";
    const std::string theme = "[Theme]\r\n";
    const auto hostile = [&](const ThemepackTest& t) {
        t.BuildPackage({{hostileName, theme}, {"PackHead", Head({"%ThemeDir%" + hostileName}, {}, "", "a\x1b\x81z")}});
    };
    const auto headless = [&](const ThemepackTest& t) { t.BuildPackage({{"Blue.theme", theme}}); };
    const struct {
        const char* arguments;
        std::function<void(const ThemepackTest&)> build;
        int status;
        std::string check;  // a Python expression over the document d
    } rows[] = {
        {"list broken.exe --json", hostile, 0,
         "d['files'] == [{'pattern': '%ThemeDir%' + name, 'entry': name, 'size': 9, 'crc32': "
         "'%08x' % zlib.crc32(b'[Theme]\\r\\n'), 'problem': d['files'][0]['problem'], 'fontEntry': None}] and "
         "d['files'][0]['problem'].endswith('the installer refuses it') and "
         "d['verdict'] == {'accepted': True, 'message': None}"},
        {"inspect --json broken.exe", hostile, 0,
         "d['entries'][0]['name'] == name and d['packHead']['description']['text'] == 'a\\x1b\\x81z' and "
         "any(name in p for p in d['problems']) and d['trailer']['layout'] == 'asWritten'"},
        {"list --json 'bl\xc3\xa9u\xff.exe'",
         [&](const ThemepackTest& t) {
             headless(t);
             fs::rename(t.folder / "broken.exe", t.folder / "bl\xc3\xa9u\xff.exe");
         },
         1,
         "d == {'format': 1, 'package': 'bl\\u00e9u\\ufffd.exe', 'files': [], 'problems': [], 'verdict': rejected}"},
        {"inspect broken.exe --json", headless, 1,
         "d['entries'][0]['name'] == 'Blue.theme' and d['packHead'] is None and d['verdict'] == rejected"},
        {"inspect --json blue.exe",
         [](const ThemepackTest& t) {
             ASSERT_EQ(t.Themepack("create --stub stub.exe -o blue.exe --side-image side.bmp --description about.txt "
                                   "'%ThemeDir%Blue.theme=blue.theme'")
                           .status,
                       0);
         },
         0,
         "d['packHead']['flags'] == 3 and d['packHead']['preview'] is None and "
         "d['packHead']['sideImage']['bitmap'] == {'width': 8, 'height': 16, 'bitCount': 24} and "
         "d['packHead']['description']['text'] == 'Deep blue.\\r\\nSecond line.\\r\\n' and "
         "d['files'][0]['entry'] == 'Blue.theme' and d['problems'] == [] and d['verdict']['accepted']"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.arguments);
        row.build(*this);
        const CommandResult run = Themepack(row.arguments);
        EXPECT_EQ(run.status, row.status) << run.err;
        EXPECT_EQ(run.err, "");
        std::string check = script;
        check.replace(check.find("CHECK"), 5, row.check);
        WriteFileBytes(folder / "check.py", check);
        const std::string python = "cd '" + folder.string() + "' && python3 check.py";
        EXPECT_EQ(std::system(python.c_str()), 0) << run.out;
    }
}

// Every file below folder, by its path relative to it, with its bytes.
std::map<std::string, std::string> FilesBelow(const fs::path& folder)
{
    std::map<std::string, std::string> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), folder).generic_string()] = ReadFileBytes(entry.path());
    }
    return files;
}

TEST_F(ThemepackTest, ExtractWritesWhatTheInstallerWouldAndLogsAsItDoes)
{
    const std::string theme = "[Theme]\r\n";
    const std::vector<std::string> three = {"%ThemeDir%Blue.theme", "%ThemeDir%Walls\\Blue.bmp", "%WinDir%Blue.ini"};
    const std::vector<Entry> sound = {{"Blue.theme", theme}, {"Blue.bmp", "wall"}, {"Blue.ini", "ini"},
                                      {"PackHead", Head(three)}};
    const std::string failed = "themepack: There were errors which prevented the package from being unpacked.\n";
    const struct {
        const char* what;
        std::function<void(const ThemepackTest&)> build;
        int status;
        std::string out;
        std::string err;
        std::map<std::string, std::string> files;  // below the root afterwards
    } rows[] = {
        {"sound package", [&](const ThemepackTest& t) { t.BuildPackage(sound); }, 0,
         "Wrote 3 of 3 files below out/\n", "",
         {{"ThemeDir/Blue.theme", theme}, {"ThemeDir/Walls/Blue.bmp", "wall"}, {"WinDir/Blue.ini", "ini"}}},
        {"existing file kept",
         [&](const ThemepackTest& t) {
             t.BuildPackage(sound);
             fs::create_directories(t.folder / "out/ThemeDir");
             WriteFileBytes(t.folder / "out/ThemeDir/Blue.theme", "mine");
         },
         0, "Skipping 'out/ThemeDir/Blue.theme'. File already exists!\nWrote 2 of 3 files below out/\n", "",
         {{"ThemeDir/Blue.theme", "mine"}, {"ThemeDir/Walls/Blue.bmp", "wall"}, {"WinDir/Blue.ini", "ini"}}},
        {"pattern leaving its folder",
         [&](const ThemepackTest& t) {
             t.BuildPackage({{"x.txt", "x"}, {"a.txt", "a"}, {"PackHead", Head({"%ThemeDir%..\\x.txt", "%ThemeDir%a.txt"})}});
         },
         1, "Refused '%ThemeDir%..\\x.txt'. It does not name a file inside its folder!\nWrote 1 of 2 files below out/\n",
         failed, {{"ThemeDir/a.txt", "a"}}},
        {"damaged entry, font without a name",
         [&](const ThemepackTest& t) {
             t.BuildPackage({{"Blue.theme", std::string(3000, 'a')}, {"f.ttf", "font"},
                             {"PackHead", Head({three[0], "%FontDir%f.ttf"})}},
                            [](std::string& b) { b[2048 + 30 + 10 + 2] ^= 0x55; });
         },
         1,
         "Damaged file '%ThemeDir%Blue.theme' in package!\n"
         "Font 'out/FontDir/f.ttf' has no usable name and was not registered!\nWrote 1 of 2 files below out/\n",
         failed, {{"FontDir/f.ttf", "font"}}},
        {"entry pointing past the payload's end",
         [&](const ThemepackTest& t) { t.BuildPackage(sound, AimFirstEntryPastThePayload); }, 1,
         "Failed to open '%ThemeDir%Blue.theme' in package!\nWrote 0 of 3 files below out/\n", failed, {}},
        {"entry pointing before the payload, into the program image",
         [&](const ThemepackTest& t) { t.BuildPackage(sound, AimFirstEntryIntoTheProgramImage); }, 1,
         "Failed to open '%ThemeDir%Blue.theme' in package!\nWrote 0 of 3 files below out/\n", failed, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        fs::remove_all(folder / "out");
        row.build(*this);
        const CommandResult run = Themepack("extract broken.exe --root out");
        EXPECT_EQ(run.status, row.status);
        EXPECT_EQ(run.out, row.out);
        EXPECT_EQ(run.err, row.err);
        EXPECT_EQ(FilesBelow(folder / "out"), row.files);
    }
}

TEST_F(ThemepackTest, BadCommandLinesFailWithOneLineAndKeepTheOldPackage)
{
    WriteFileBytes(folder / "zero.txt", std::string("ab\0c", 4));
    const std::string longPattern = "%ThemeDir%" + std::string(246, 'a') + ".bmp";
    const struct {
        std::string arguments;
        int status;
        std::string error;
    } rows[] = {
        {"create --stub stub.exe -o out.exe blue.theme", 2,
         "'blue.theme' is not PATTERN=FILE: no '=' (try themepack --help)"},
        {"create --stub stub.exe -o out.exe '=blue.theme'", 2,
         "'=blue.theme' is not PATTERN=FILE: no PATTERN (try themepack --help)"},
        {"create -o out.exe '%ThemeDir%a.theme=blue.theme'", 1, NoInstalledStub()},
        {"create --stub stub.exe --arch x86 -o out.exe '%ThemeDir%a.theme=blue.theme'", 2,
         "--stub and --arch both choose the stub (try themepack --help)"},
        {"create --stub stub.exe '%ThemeDir%a.theme=blue.theme'", 2,
         "create: no output file given (-o OUT.exe) (try themepack --help)"},
        {"create --stub stub.exe -o out.exe --icon x.ico", 2, "unknown option '--icon' (try themepack --help)"},
        {"create --stub stub.exe --stub stub.exe -o out.exe", 2, "--stub given twice (try themepack --help)"},
        {"create --stub stub.exe -o", 2, "-o needs a file name (try themepack --help)"},
        {"create --stub nostub.exe -o out.exe '%ThemeDir%a.theme=blue.theme'", 1,
         "cannot open 'nostub.exe': No such file or directory"},
        {"create --stub blue.theme -o out.exe '%ThemeDir%a.theme=blue.theme'", 1,
         "stub 'blue.theme' is not a Windows program (no \"MZ\" header)"},
        {"create --stub signed.exe -o out.exe '%ThemeDir%a.theme=blue.theme'", 1,
         "stub 'signed.exe' is signed: sign the finished package instead"},
        {"create --stub stub.exe -o out.exe '%ThemeDir%a.wav=missing.wav'", 1,
         "cannot open 'missing.wav': No such file or directory"},
        {"create --stub stub.exe -o out.exe '%ThemeDir%sounds=.'", 1,
         "pattern '%ThemeDir%sounds': theme file without an extension: the installer makes a folder of that "
         "name instead"},
        {"create --stub stub.exe -o out.exe --preview blue.theme '%ThemeDir%a.theme=blue.theme'", 1,
         "preview 'blue.theme' is not a usable bitmap: no bitmap file header (\"BM\")"},
        {"create --stub stub.exe -o out.exe --description zero.txt '%ThemeDir%a.theme=blue.theme'", 1,
         "description 'zero.txt' holds a zero byte at offset 2"},
        {"create --stub stub.exe -o out.exe '" + longPattern + "=wall.bmp'", 1,
         "pattern '" + longPattern + "': too long: 260 characters, a destination path holds at most 259"},
        {"create --stub stub.exe -o out.exe '%WinDir%x.ini=.'", 1, "cannot read '.': Is a directory"},
        {"build", 2, "build needs exactly one PACKAGEFILE (try themepack --help)"},
        {"build a.themepack b.themepack", 2, "build needs exactly one PACKAGEFILE (try themepack --help)"},
        {"build a.themepack --stub", 2, "--stub needs a file name (try themepack --help)"},
        {"build a.themepack --side-image side.bmp", 2, "unknown option '--side-image' (try themepack --help)"},
        {"build missing.themepack", 1, "cannot open 'missing.themepack': No such file or directory"},
        {"inspect", 2, "inspect needs exactly one PACKAGE (try themepack --help)"},
        {"inspect missing.exe", 1, "cannot open 'missing.exe': No such file or directory"},
        {"inspect blue.theme --xml", 2, "unknown option '--xml' (try themepack --help)"},
        {"list --json", 2, "list needs exactly one PACKAGE (try themepack --help)"},
        {"list stub.exe signed.exe", 2, "list needs exactly one PACKAGE (try themepack --help)"},
        {"list stub.exe", 1, "Not a valid theme package!"},
        {"extract blue.exe", 2, "extract: no root given (--root DIR) (try themepack --help)"},
        {"extract missing.exe --root out", 1, "cannot open 'missing.exe': No such file or directory"},
        {"pack x", 2, "unknown command 'pack' (try themepack --help)"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.arguments);
        WriteFileBytes(folder / "out.exe", "older package");
        const CommandResult run = Themepack(row.arguments);
        EXPECT_EQ(run.status, row.status);
        EXPECT_EQ(run.err, "themepack: " + row.error + "\n");
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(ReadFileBytes(folder / "out.exe"), "older package");
    }
    EXPECT_FALSE(fs::exists(folder / "missing.wav"));
}

}  // namespace
