// LoadPackage on signed and unsigned packages: where it finds the trailer, and what it leaves when it cannot, copying the payload or reading it in place.
#include "package/PackHeadEncoder.h"
#include "package/PackageLoader.h"

#include <gtest/gtest.h>

#include <string>

#include "package/PackHead.h"
#include "tests/support/TestArchive.h"
#include "tests/support/TestFiles.h"

namespace {

constexpr size_t kImageSize = 0x400;

// A program image, a one-file payload, the trailer, then padding and a
// certificate table the image's security directory names (or none).
std::string Package(const std::string& path, size_t padding, char paddingByte, int tableSize, size_t extra)
{
    PackHeadParts parts;
    parts.patterns = {"%ThemeDir%a.theme"};
    const std::vector<unsigned char> head = EncodePackHead(parts);
    const std::string zip = path + ".zip";
    EXPECT_TRUE(WriteArchive(zip, {{"a.theme", "[Theme]"}, {PackHeadName, std::string(head.begin(), head.end())}}));
    const std::string payload = ReadFileBytes(zip);

    PackageTrailer trailer;
    trailer.payloadOffset = kImageSize;
    trailer.payloadLength = static_cast<uint32_t>(payload.size());
    std::string trailerBytes(PackageTrailerSize, '\0');
    trailer.Encode(reinterpret_cast<unsigned char*>(&trailerBytes[0]));
    const size_t tableOffset = kImageSize + payload.size() + PackageTrailerSize + padding;
    std::string bytes = ProgramImage(kImageSize, tableSize > 0 ? static_cast<uint32_t>(tableOffset) : 0,
                                     static_cast<uint32_t>(tableSize));
    bytes += payload + trailerBytes + std::string(padding, paddingByte) + std::string(tableSize, 'S') +
             std::string(extra, 'x');
    WriteFileBytes(path, bytes);
    return path;
}

TEST(PackageLoader, FindsTheTrailerAtTheEndOrBeforeACertificateTable)
{
    const struct {
        const char* name;
        size_t padding;
        char paddingByte;
        int tableSize;
        size_t extra;
        LoadFailure failure;
        bool isSigned;
    } rows[] = {
        {"unsigned", 0, '\0', 0, 0, LoadFailure::None, false},
        {"signed", 0, '\0', 1500, 0, LoadFailure::None, true},
        {"signed after 7 bytes of padding", 7, '\0', 1500, 0, LoadFailure::None, true},
        {"signed after 8 bytes of padding", 8, '\0', 1500, 0, LoadFailure::NoTrailer, true},
        {"signed after padding that is not zero", 4, 'p', 1500, 0, LoadFailure::NoTrailer, true},
        {"table that does not end the file", 0, '\0', 1500, 3, LoadFailure::NoTrailer, false},
    };
    for (const auto& row : rows) {
        const std::string path = Package(::testing::TempDir() + "signed.exe", row.padding, row.paddingByte,
                                         row.tableSize, row.extra);
        for (const PayloadAccess access : {PayloadAccess::Copy, PayloadAccess::InPlace}) {
            const std::string name =
                std::string(row.name) + (access == PayloadAccess::Copy ? ", copied" : ", in place");
            PackageLoad load;
            EXPECT_EQ(LoadPackage(path.c_str(), "vltest", load, access), row.failure) << name;
            EXPECT_EQ(load.isSigned, row.isSigned) << name;
            if (row.failure == LoadFailure::None) {
                EXPECT_EQ(load.patterns.Count(), 1) << name;
                EXPECT_EQ(load.trailerEnd, kImageSize + load.trailer.payloadLength + PackageTrailerSize) << name;
                EXPECT_EQ(load.payloadBytesPresent, load.trailer.payloadLength) << name;
                EXPECT_EQ(load.archive.IsCreated(), access == PayloadAccess::Copy) << name;
            }
        }
        std::remove(path.c_str());
        std::remove((path + ".zip").c_str());
    }
}

// Loads a package whose payload is prefix, then an archive of entries; the
// first pattern found, or the failure's name. Read in place the payload must
// give the same answer as its copy.
std::string FirstPattern(const std::vector<TestEntry>& entries, const std::string& prefix)
{
    const std::string path = ::testing::TempDir() + "first.exe";
    EXPECT_TRUE(WriteArchive(path + ".zip", entries));
    const std::string payload = prefix + ReadFileBytes(path + ".zip");
    PackageTrailer trailer;
    trailer.payloadOffset = kImageSize;
    trailer.payloadLength = static_cast<uint32_t>(payload.size());
    std::string trailerBytes(PackageTrailerSize, '\0');
    trailer.Encode(reinterpret_cast<unsigned char*>(&trailerBytes[0]));
    WriteFileBytes(path, ProgramImage(kImageSize, 0, 0) + payload + trailerBytes);
    std::string answers[2];
    for (const PayloadAccess access : {PayloadAccess::Copy, PayloadAccess::InPlace}) {
        PackageLoad load;
        const LoadFailure failure = LoadPackage(path.c_str(), "vltest", load, access);
        std::string& answer = answers[access == PayloadAccess::Copy ? 0 : 1];
        if (failure != LoadFailure::None)
            answer = failure == LoadFailure::NoPackHead ? "no PackHead" : "failed";
        else
            answer = load.patterns.Count() > 0 ? load.patterns[0].Text() : "";
    }
    std::remove(path.c_str());
    std::remove((path + ".zip").c_str());
    EXPECT_EQ(answers[1], answers[0]) << "read in place";
    return answers[0];
}

TestEntry Head(const char* name, const char* pattern)
{
    PackHeadParts parts;
    parts.patterns = {pattern};
    const std::vector<unsigned char> head = EncodePackHead(parts);
    return {name, std::string(head.begin(), head.end())};
}

// The header entry is the first of its name in the central directory, in
// any case, however many entries come before it and whatever precedes the
// archive in the payload.
TEST(PackageLoader, TakesTheFirstEntryNamedPackHead)
{
    std::vector<TestEntry> many;
    for (int i = 0; i < 3000; ++i)
        many.push_back({"Theme\\file" + std::to_string(i) + ".bmp", "x"});
    many.push_back(Head("PackHead", "%ThemeDir%many.theme"));
    const struct {
        const char* name;
        std::vector<TestEntry> entries;
        std::string prefix;
        std::string expected;
    } rows[] = {
        {"after 3,000 entries", many, "", "%ThemeDir%many.theme"},
        {"two of the name", {Head("packhead", "%ThemeDir%first.theme"), Head("PackHead", "%ThemeDir%second.theme")},
         "", "%ThemeDir%first.theme"},
        {"bytes before the archive", {{"a.theme", "[Theme]"}, Head("PACKHEAD", "%ThemeDir%a.theme")},
         std::string(777, 'j'), "%ThemeDir%a.theme"},
        {"a longer name only", {{"PackHeads", "x"}, {"a.theme", "[Theme]"}}, "", "no PackHead"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FirstPattern(row.entries, row.prefix), row.expected) << row.name;
}

}  // namespace
