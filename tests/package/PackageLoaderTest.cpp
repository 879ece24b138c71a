// LoadPackage on signed and unsigned packages: where it finds the trailer, and what it leaves when it cannot.
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
        PackageLoad load;
        EXPECT_EQ(LoadPackage(path.c_str(), "vltest", load), row.failure) << row.name;
        EXPECT_EQ(load.isSigned, row.isSigned) << row.name;
        if (row.failure == LoadFailure::None) {
            EXPECT_EQ(load.patterns.Count(), 1) << row.name;
            EXPECT_EQ(load.trailerEnd, kImageSize + load.trailer.payloadLength + PackageTrailerSize) << row.name;
        }
        std::remove(path.c_str());
        std::remove((path + ".zip").c_str());
    }
}

}  // namespace
