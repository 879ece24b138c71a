// Tests of PackageTrailer: its byte layout and which file endings are accepted as packages.
#include "package/PackageTrailer.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/StdioFile.h"
#include "tests/package/TempFile.h"

namespace {

std::vector<unsigned char> Encoded(const PackageTrailer& trailer)
{
    std::vector<unsigned char> bytes(PackageTrailerSize);
    trailer.Encode(bytes.data());
    return bytes;
}

TEST(PackageTrailer, IsStoredAsFiveLittleEndianFields)
{
    PackageTrailer trailer;
    trailer.payloadOffset = 0x00012345;
    trailer.payloadLength = 0xA1B2C3D4;
    const std::vector<unsigned char> expected = {
        0x14, 0x00, 0x00, 0x00,  // trailerSize 20
        0x19, 0x73, 0xAF, 0x03,  // magic
        0x01, 0x00, 0x00, 0x00,  // formatVersion
        0x45, 0x23, 0x01, 0x00,  // payloadOffset
        0xD4, 0xC3, 0xB2, 0xA1,  // payloadLength
    };
    EXPECT_EQ(Encoded(trailer), expected);

    PackageTrailer decoded;
    decoded.Decode(expected.data());
    EXPECT_EQ(decoded.trailerSize, 20u);
    EXPECT_EQ(decoded.magic, PackageTrailerMagic);
    EXPECT_EQ(decoded.formatVersion, 1u);
    EXPECT_EQ(decoded.payloadOffset, 0x00012345u);
    EXPECT_EQ(decoded.payloadLength, 0xA1B2C3D4u);
}

TEST(PackageTrailer, OnlyAComplete20ByteTrailerWithTheMagicIsAccepted)
{
    auto trailerBytes = [](uint32_t size, uint32_t magic, uint32_t version) {
        PackageTrailer trailer;
        trailer.trailerSize = size;
        trailer.magic = magic;
        trailer.formatVersion = version;
        trailer.payloadOffset = 7;
        trailer.payloadLength = 3;
        return Encoded(trailer);
    };
    auto join = [](std::vector<unsigned char> front, const std::vector<unsigned char>& back) {
        front.insert(front.end(), back.begin(), back.end());
        return front;
    };
    const std::vector<unsigned char> program = {'M', 'Z', 0, 1, 2, 3, 4, 'P', 'K', '!'};
    const std::vector<unsigned char> good = trailerBytes(20, PackageTrailerMagic, 1);
    std::vector<unsigned char> shortFile(good.begin(), good.begin() + 12);

    struct Row {
        const char* name;
        std::vector<unsigned char> file;
        bool accepted;
    };
    const Row rows[] = {
        {"program with trailer", join(program, good), true},
        {"trailer alone", good, true},
        {"formatVersion 0", join(program, trailerBytes(20, PackageTrailerMagic, 0)), true},
        {"formatVersion 2", join(program, trailerBytes(20, PackageTrailerMagic, 2)), true},
        {"trailerSize 24", join(program, trailerBytes(24, PackageTrailerMagic, 1)), false},
        {"trailerSize 12", join(program, trailerBytes(12, PackageTrailerMagic, 1)), false},
        {"wrong magic", join(program, trailerBytes(20, 0x03AF7318, 1)), false},
        {"no trailer", program, false},
        {"file shorter than a trailer", shortFile, false},
        {"empty file", {}, false},
    };
    for (const Row& row : rows) {
        TempFile file("package.exe");
        file.Write(row.file);
        StdioFile stream;
        ASSERT_TRUE(stream.Open(file.Path(), "rb")) << row.name;
        PackageTrailer trailer;
        EXPECT_EQ(trailer.ReadFrom(stream), row.accepted) << row.name;
        if (row.accepted) {
            EXPECT_EQ(trailer.payloadOffset, 7u) << row.name;
            EXPECT_EQ(trailer.payloadLength, 3u) << row.name;
        }
    }
}

}  // namespace
