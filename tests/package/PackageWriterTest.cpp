// Tests of the package writer: packages read back byte for byte, and bad inputs leave nothing behind.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/StdioFile.h"
#include "base/String.h"
#include "base/StringList.h"
#include "package/ArchiveReader.h"
#include "package/PackHead.h"
#include "package/PackageSources.h"
#include "package/PackageWriter.h"
#include "package/PathPattern.h"
#include "package/PatternProblem.h"
#include "tests/support/TestFiles.h"

namespace {

namespace fs = std::filesystem;

// Receives the bitmap parts into files of the test's folder.
class FileSink : public PackHeadImageSink {
public:
    explicit FileSink(const std::string& folder) : folder(folder) {}
    StdioFile* BeginImage(uint32_t flag, uint32_t) override
    {
        return files[flag].Open((folder + std::to_string(flag)).c_str(), "w+b") ? &files[flag] : nullptr;
    }
    void EndImage(uint32_t flag, uint32_t) override { files[flag].Close(); }
    std::string Bytes(uint32_t flag) const { return ReadFileBytes(folder + std::to_string(flag)); }

private:
    std::string folder;
    StdioFile files[5];
};

class PackageWriterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::path(::testing::TempDir()) /
                 (std::string("writer_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string Path(const std::string& name) const { return (folder / name).string(); }
    std::string Folder() const { return Path("x").substr(0, Path("x").size() - 1); }

    // A request whose every input exists and is sound.
    PackageRequest SoundRequest()
    {
        WriteFileBytes(Path("stub.exe"), "MZ" + std::string(3000, '\x90'));
        WriteFileBytes(Path("side.bmp"), BitmapFile(8, 16, 24));
        WriteFileBytes(Path("preview.bmp"), BitmapFile(5, 3, 32));
        WriteFileBytes(Path("description.txt"), "Blue sky.\nLine two\r\nLine three\rEnd");
        std::string wave;
        for (uint32_t i = 0, state = 1; i < 100000; ++i) {
            state = state * 1103515245u + 12345u;
            wave.push_back(static_cast<char>(i % 3 == 0 ? state >> 24 : 0));
        }
        WriteFileBytes(Path("blue.theme"), "[Theme]\r\nWallpaper=%ThemeDir%Blue.bmp\r\n");
        WriteFileBytes(Path("start.wav"), wave);
        WriteFileBytes(Path("blue.ttf"), "");
        PackageRequest request;
        request.stubPath = Path("stub.exe");
        request.outputPath = Path("blue.exe");
        request.sideImagePath = Path("side.bmp");
        request.descriptionPath = Path("description.txt");
        request.previewPath = Path("preview.bmp");
        request.files = {{"%ThemeDir%Blue.theme", Path("blue.theme")},
                         {"%windir%Media\\Blue Start.wav", Path("start.wav")},
                         {"%FONTDIR%blue.ttf", Path("blue.ttf")}};
        return request;
    }

    fs::path folder;
};

TEST_F(PackageWriterTest, WrittenPackageReadsBackExactlyAsWritten)
{
    const PackageRequest request = SoundRequest();
    std::string error;
    ASSERT_TRUE(WritePackage(request, error)) << error;
    const std::string package = ReadFileBytes(request.outputPath);
    const std::string stub = ReadFileBytes(request.stubPath);

    // Program image, payload, trailer, with nothing between them.
    ASSERT_GT(package.size(), stub.size() + PackageTrailerSize);
    EXPECT_EQ(package.substr(0, stub.size()), stub);
    PackageTrailer trailer;
    trailer.Decode(reinterpret_cast<const unsigned char*>(package.data()) + package.size() - PackageTrailerSize);
    EXPECT_EQ(trailer.trailerSize, 20u);
    EXPECT_EQ(trailer.magic, 0x03AF7319u);
    EXPECT_EQ(trailer.formatVersion, 1u);
    EXPECT_EQ(trailer.payloadOffset, stub.size());
    EXPECT_EQ(uint64_t{trailer.payloadOffset} + trailer.payloadLength + 20, package.size());
    const std::string payload = package.substr(trailer.payloadOffset, trailer.payloadLength);

    // The raw ZIP records, every offset counted from the payload's first byte.
    const std::vector<std::string> names = {"Blue.theme", "Media\\Blue Start.wav", "blue.ttf", "PackHead"};
    const size_t end = payload.size() - 22;
    ASSERT_EQ(GetField32(payload, end), 0x06054B50u) << "end record right at the end: no archive comment";
    EXPECT_EQ(GetField16(payload, end + 10), names.size());
    EXPECT_EQ(GetField16(payload, end + 20), 0u);
    EXPECT_EQ(GetField32(payload, end + 16) + GetField32(payload, end + 12), end) << "central directory ends at the end record";
    size_t central = GetField32(payload, end + 16);
    size_t nextLocal = 0;
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        ASSERT_EQ(GetField32(payload, central), 0x02014B50u);
        EXPECT_EQ(GetField16(payload, central + 4), 0u) << "version made by";
        EXPECT_EQ(GetField16(payload, central + 6), 20u) << "version needed";
        EXPECT_EQ(GetField16(payload, central + 8), 2u) << "flags: bit 1 only";
        EXPECT_EQ(GetField16(payload, central + 10), 8u) << "method";
        EXPECT_EQ(GetField32(payload, central + 12), 0u) << "time and date";
        EXPECT_EQ(GetField16(payload, central + 30), 0u) << "extra field";
        EXPECT_EQ(GetField16(payload, central + 32), 0u) << "comment";
        EXPECT_EQ(GetField32(payload, central + 34), 0u) << "disk and internal attributes";
        EXPECT_EQ(GetField32(payload, central + 38), 0u) << "external attributes";
        const size_t nameLength = GetField16(payload, central + 28);
        EXPECT_EQ(payload.substr(central + 46, nameLength), name);
        // Local headers follow each other directly: no data descriptors.
        const size_t local = GetField32(payload, central + 42);
        ASSERT_EQ(local, nextLocal);
        ASSERT_EQ(GetField32(payload, local), 0x04034B50u);
        EXPECT_EQ(GetField16(payload, local + 4), 20u);
        EXPECT_EQ(GetField16(payload, local + 6), 2u);
        EXPECT_EQ(GetField16(payload, local + 8), 8u);
        EXPECT_EQ(GetField32(payload, local + 10), 0u);
        EXPECT_EQ(payload.substr(local + 14, 12), payload.substr(central + 16, 12)) << "CRC and sizes";
        EXPECT_EQ(GetField16(payload, local + 28), 0u);
        EXPECT_EQ(payload.substr(local + 30, nameLength), name);
        nextLocal = local + 30 + nameLength + GetField32(payload, central + 20);
        central += 46 + nameLength;
    }
    EXPECT_EQ(nextLocal, GetField32(payload, end + 16));

    // The installer's reader gets the files back in pattern order, PackHead last.
    WriteFileBytes(Path("payload.zip"), payload);
    ArchiveReader archive;
    ASSERT_TRUE(archive.Open(Path("payload.zip").c_str()));
    std::vector<char> buffer(CopyChunkSize);
    size_t index = 0;
    for (bool more = archive.GoToFirstEntry(); more; more = archive.GoToNextEntry(), ++index) {
        ArchiveEntryInfo info;
        ASSERT_TRUE(archive.GetEntryInfo(info));
        ASSERT_LT(index, names.size());
        EXPECT_STREQ(info.name.Text(), names[index].c_str());
        if (index < request.files.size()) {
            ASSERT_TRUE(archive.OpenEntry());
            std::string data;
            int got;
            while ((got = archive.Read(buffer.data(), CopyChunkSize)) > 0)
                data.append(buffer.data(), static_cast<size_t>(got));
            EXPECT_TRUE(archive.CloseEntry()) << "CRC";
            EXPECT_EQ(data, ReadFileBytes(request.files[index].sourcePath)) << names[index];
        }
    }
    EXPECT_EQ(index, names.size());

    ASSERT_TRUE(archive.LocateEntry("packhead"));
    ArchiveEntryInfo headInfo;
    ASSERT_TRUE(archive.GetEntryInfo(headInfo));
    ASSERT_TRUE(archive.OpenEntry());
    FileSink images(Path("image-"));
    PackHeadFields fields;
    String description;
    StringList patterns;
    ASSERT_EQ(ReadPackHead(archive, images, buffer.data(), fields, description, patterns), PackHeadRead::Accepted);
    EXPECT_EQ(fields.headerSize, 16u);
    EXPECT_EQ(fields.fileCount, 3);
    EXPECT_EQ(fields.flags, 7u);
    EXPECT_EQ(fields.entrySize, headInfo.uncompressedSize);
    EXPECT_EQ(images.Bytes(PackFlagSideImage), ReadFileBytes(request.sideImagePath));
    EXPECT_EQ(images.Bytes(PackFlagPreview), ReadFileBytes(request.previewPath));
    EXPECT_STREQ(description.Text(), "Blue sky.\r\nLine two\r\nLine three\r\nEnd");
    ASSERT_EQ(patterns.Count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(patterns[i].Text(), request.files[static_cast<size_t>(i)].pattern);
}

TEST_F(PackageWriterTest, ExistingOutputIsReplacedWhole)
{
    const PackageRequest request = SoundRequest();
    WriteFileBytes(request.outputPath, std::string(1000000, 'o'));
    std::string error;
    ASSERT_TRUE(WritePackage(request, error)) << error;
    const std::string package = ReadFileBytes(request.outputPath);
    EXPECT_EQ(package.substr(0, 2), "MZ");
    EXPECT_LT(package.size(), 1000000u);
}

TEST_F(PackageWriterTest, BadInputFailsWithItsReasonAndLeavesNothingBehind)
{
    struct Row {
        const char* what;
        void (*spoil)(PackageRequest& request, const std::string& folder);
        const char* message;  // the error, with the test folder written as @
    };
    const Row rows[] = {
        {"no stub", [](PackageRequest& r, const std::string&) { r.stubPath.clear(); }, "no stub given"},
        {"missing stub", [](PackageRequest& r, const std::string& f) { r.stubPath = f + "none.exe"; },
         "cannot open '@none.exe': No such file or directory"},
        {"stub without MZ", [](PackageRequest& r, const std::string& f) { r.stubPath = f + "blue.theme"; },
         "stub '@blue.theme' is not a Windows program (no \"MZ\" header)"},
        {"stub that is a package", [](PackageRequest& r, const std::string& f) { r.stubPath = f + "old.exe"; },
         "stub '@old.exe' is already a theme package"},
        {"missing file", [](PackageRequest& r, const std::string& f) { r.files[1].sourcePath = f + "gone.wav"; },
         "cannot open '@gone.wav': No such file or directory"},
        {"side image not a bitmap",
         [](PackageRequest& r, const std::string& f) { r.sideImagePath = f + "blue.theme"; },
         "side image '@blue.theme' is not a usable bitmap: no bitmap file header (\"BM\")"},
        {"preview cut short", [](PackageRequest& r, const std::string& f) { r.previewPath = f + "short.bmp"; },
         "preview '@short.bmp' is not a usable bitmap: file header announces 134 bytes, the file has 100"},
        {"description with a zero byte",
         [](PackageRequest& r, const std::string& f) { r.descriptionPath = f + "zero.txt"; },
         "description '@zero.txt' holds a zero byte at offset 3"},
        {"pattern of 260 characters",
         [](PackageRequest& r, const std::string&) { r.files[0].pattern = "%ThemeDir%" + std::string(246, 'a') + ".bmp"; },
         "too long: 260 characters, a destination path holds at most 259"},
        {"pattern without variable", [](PackageRequest& r, const std::string&) { r.files[0].pattern = "C:\\a.bmp"; },
         "pattern 'C:\\a.bmp': no path variable (%ThemeDir%, %WinDir%, %SysDir% or %FontDir%): "
         "the installer skips it"},
        {"entry that would be found as PackHead",
         [](PackageRequest& r, const std::string&) { r.files[0].pattern = "%WinDir%PACKHEAD"; },
         "pattern '%WinDir%PACKHEAD': its entry would be taken for the PackHead entry"},
    };
    PackageRequest old = SoundRequest();
    old.outputPath = Path("old.exe");
    std::string oldError;
    ASSERT_TRUE(WritePackage(old, oldError)) << oldError;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        PackageRequest request = SoundRequest();
        WriteFileBytes(Path("short.bmp"), BitmapFile(5, 5, 24).substr(0, 100));
        WriteFileBytes(Path("zero.txt"), std::string("abc\0def", 7));
        WriteFileBytes(request.outputPath, "previous package");
        row.spoil(request, Folder());
        const size_t filesBefore = std::distance(fs::directory_iterator(folder), fs::directory_iterator());

        std::string error;
        EXPECT_FALSE(WritePackage(request, error));
        std::string expected = row.message;
        for (size_t at = expected.find('@'); at != std::string::npos; at = expected.find('@'))
            expected.replace(at, 1, Folder());
        EXPECT_NE(error.find(expected), std::string::npos) << error;
        EXPECT_EQ(ReadFileBytes(request.outputPath), "previous package");
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), filesBefore)
            << "no work file left";
    }
}

TEST(PackageSourcesTest, PatternsAreJudgedAsTheInstallerTreatsThem)
{
    const struct {
        const char* pattern;
        const char* entryName;
        const char* problem;  // start of the problem; "" when sound
    } rows[] = {
        {"%ThemeDir%Blue.theme", "Blue.theme", ""},
        {"%themedir%Sounds\\Start.wav", "Sounds\\Start.wav", ""},
        {"%WINDIR%Media\\x.wav", "Media\\x.wav", ""},
        {"%SysDir%x.dll", "x.dll", ""},
        {"%FontDir%Blue.ttf", "Blue.ttf", ""},
        {"%WinDir%blue", "blue", ""},
        {"%ThemeDir%Blue", "Blue", "theme file without an extension"},
        {"%ThemeDir%Sub/Blue.bmp", "Sub/Blue.bmp", ""},
        {"%ThemeDir%COM10.txt", "COM10.txt", ""},
        {"%FontDir%%ThemeDir%x.ttf", "%ThemeDir%x.ttf", ""},
        {"%ThemeDir%Sub\\", "Sub\\", "names a folder"},
        {"%FontDir%", "", "names a folder"},
        // What would land outside the variable's folder, or not in a file of it.
        {"C:\\%WinDir%x.ini", "C:\\%WinDir%x.ini", "its path variable does not start it"},
        {"%ThemeDir%a%FontDir%.ttf", "a%FontDir%.ttf", "its path variable does not start it"},
        {"%ThemeDir%a\\%ThemeDir%b.txt", "a\\%ThemeDir%b.txt", "its path variable appears twice"},
        {"%WinDir%..\\ProgramData\\x.bat", "..\\ProgramData\\x.bat", "a name ending in a dot"},
        {"%ThemeDir%a/../../x.dll", "a/../../x.dll", "a name ending in a dot"},
        {"%ThemeDir%a.\\b.txt", "a.\\b.txt", "a name ending in a dot"},
        {"%ThemeDir%a \\b.txt", "a \\b.txt", "a name ending in a dot or a space"},
        {"%WinDir%win.ini:evil", "win.ini:evil", "a drive or stream"},
        {"%ThemeDir%C:\\x.txt", "C:\\x.txt", "a drive or stream"},
        // One separator after the variable is the author's; a second would start at the root.
        {"%ThemeDir%\\x.txt", "x.txt", ""},
        {"%WinDir%/Media\\x.wav", "Media\\x.wav", ""},
        {"%ThemeDir%\\", "", "names a folder"},
        {"%ThemeDir%\\\\server\\share\\x.txt", "\\server\\share\\x.txt", "an empty name"},
        {"%ThemeDir%//x.txt", "/x.txt", "an empty name"},
        {"%ThemeDir%a\\\\b.txt", "a\\\\b.txt", "an empty name"},
        {"%ThemeDir%CON", "CON", "a device name"},
        {"%SysDir%Sub\\nul.txt", "Sub\\nul.txt", "a device name"},
        {"%FontDir%lpt9.ttf", "lpt9.ttf", "a device name"},
        {"%ThemeDir%*.bmp", "*.bmp", "a wildcard"},
        {"%ThemeDir%a|b.bmp", "a|b.bmp", "a wildcard or reserved character"},
        {"%ThemeDir%a\x01.bmp", "a\x01.bmp", "a control character"},
        {"Blue.theme", "Blue.theme", "no path variable"},
        {"", "", "empty pattern"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pattern);
        EXPECT_EQ(EntryNameForPattern(row.pattern), row.entryName);
        EXPECT_EQ(PatternProblem(row.pattern).rfind(row.problem, 0), 0u) << PatternProblem(row.pattern);
    }
    EXPECT_EQ(PatternProblem("%ThemeDir%" + std::string(245, 'a') + ".bmp"), "") << "259 characters";
    EXPECT_NE(PatternProblem("%ThemeDir%" + std::string(246, 'a') + ".bmp"), "") << "260 characters";
}

TEST(PackageSourcesTest, DescriptionLinesEndInCrLf)
{
    const struct {
        const char* raw;
        const char* stored;
    } rows[] = {
        {"a\nb", "a\r\nb"}, {"a\r\nb", "a\r\nb"},   {"a\rb", "a\r\nb"},
        {"a\n\n", "a\r\n\r\n"}, {"\r\r\n", "\r\n\r\n"}, {"", ""},
    };
    for (const auto& row : rows) {
        std::string text;
        std::string problem;
        EXPECT_TRUE(PrepareDescription(row.raw, text, problem)) << row.raw;
        EXPECT_EQ(text, row.stored) << "from " << ::testing::PrintToString(std::string(row.raw));
    }
}

TEST(PackageSourcesTest, BitmapFilesAreCheckedBeforeTheyArePacked)
{
    const std::string good = BitmapFile(7, 3, 24);
    std::string core = "BM" + std::string(24, '\0');
    PutField32(core, 2, 26 + 4);
    PutField32(core, 10, 26);
    PutField32(core, 14, 12);
    core[18] = 1;  // 1 x 1, one plane, 24 bits: one padded row of 4 bytes
    core[20] = 1;
    core[22] = 1;
    core[24] = 24;
    core += std::string(4, '\xff');
    const auto with = [&good](size_t at, uint32_t value) {
        std::string bytes = good;
        PutField32(bytes, at, value);
        return bytes;
    };
    const struct {
        const char* what;
        std::string bytes;
        const char* problem;  // start of it; "" for a usable bitmap
    } rows[] = {
        {"24-bit, Windows 3 header", good, ""},
        {"top-down", with(22, static_cast<uint32_t>(-3)), ""},
        {"core header", core, ""},
        {"trailing bytes after the pixels", good + "xx", ""},
        {"empty", "", "too short"},
        {"no BM", "XY" + good.substr(2), "no bitmap file header"},
        {"unknown info header size", with(14, 20), "unknown info header size 20"},
        {"two planes", with(26, 2 | 24 << 16), "plane count 2"},
        {"width 0", with(18, 0), "size 0 x 3"},
        {"JPEG inside", with(30, 4), "compression 4"},
        {"pixel offset past the end", with(10, 5000), "pixel data offset 5000"},
        {"pixels cut short", good.substr(0, good.size() - 1), "file header announces"},
        {"pixels cut short, header agrees", with(2, 60).substr(0, 60), "pixel data cut short"},
    };
    for (const auto& row : rows) {
        BitmapFacts facts;
        std::string problem;
        EXPECT_EQ(CheckBitmapFile(row.bytes, facts, problem), *row.problem == '\0') << row.what << ": " << problem;
        EXPECT_EQ(problem.rfind(row.problem, 0), 0u) << row.what << ": " << problem;
    }
}

}  // namespace
