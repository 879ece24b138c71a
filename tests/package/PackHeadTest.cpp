// Tests of PackHead: encoding, and reading complete, short, damaged and failing entries.
#include "package/PackHead.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "base/StdioFile.h"
#include "base/String.h"
#include "base/StringList.h"
#include "package/PackHeadEncoder.h"
#include "tests/package/TempFile.h"

namespace {

using Bytes = std::vector<unsigned char>;

// An entry held in memory that delivers at most pieceSize bytes per read and
// reports an error once errorAt bytes have been delivered.
class MemoryStream : public ByteSource {
public:
    MemoryStream(Bytes bytes, size_t pieceSize, size_t errorAt = SIZE_MAX)
        : bytes(std::move(bytes)), pieceSize(pieceSize), errorAt(errorAt)
    {
    }

    int Read(void* buffer, unsigned count) override
    {
        largestRequest = std::max(largestRequest, count);
        if (position >= errorAt)
            return -1;
        const size_t end = std::min(bytes.size(), errorAt);
        const size_t n = std::min({static_cast<size_t>(count), pieceSize, end - position});
        if (n > 0)
            std::memcpy(buffer, bytes.data() + position, n);
        position += n;
        return static_cast<int>(n);
    }

    Bytes bytes;
    size_t pieceSize;
    size_t errorAt;
    size_t position = 0;
    unsigned largestRequest = 0;
};

// Logs the image parts as "B<flag>:<announced> E<flag>:<copied>"; writes them
// into target when one is given.
class RecordingSink : public PackHeadImageSink {
public:
    StdioFile* BeginImage(uint32_t flag, uint32_t announcedLength) override
    {
        events += "B" + std::to_string(flag) + ":" + std::to_string(announcedLength) + " ";
        return flag == PackFlagSideImage ? sideTarget : previewTarget;
    }

    void EndImage(uint32_t flag, uint32_t copiedLength) override
    {
        events += "E" + std::to_string(flag) + ":" + std::to_string(copiedLength) + " ";
    }

    std::string events;
    StdioFile* sideTarget = nullptr;
    StdioFile* previewTarget = nullptr;
};

// Builds entry bytes: little-endian fields and raw characters.
struct Entry {
    Bytes bytes;

    Entry& U32(uint32_t value)
    {
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<unsigned char>(value >> shift));
        return *this;
    }
    Entry& Header(int32_t fileCount, uint32_t flags)
    {
        return U32(16).U32(static_cast<uint32_t>(fileCount)).U32(flags).U32(0);
    }
    Entry& Raw(const std::string& text)
    {
        bytes.insert(bytes.end(), text.begin(), text.end());
        return *this;
    }
    Entry& Text(const std::string& text) { return U32(static_cast<uint32_t>(text.size())).Raw(text).Raw(std::string(1, '\0')); }
};

// What one ReadPackHead call left behind.
struct ReadResult {
    PackHeadRead read = PackHeadRead::WrongHeaderSize;
    bool accepted = false;
    PackHeadFields fields;
    String description;
    std::vector<std::string> patterns;
    std::string events;
    size_t consumed = 0;
};

ReadResult Read(const Bytes& bytes, size_t pieceSize, size_t errorAt = SIZE_MAX)
{
    MemoryStream stream(bytes, pieceSize, errorAt);
    RecordingSink sink;
    std::vector<char> copyBuffer(CopyChunkSize);
    StringList patterns;
    ReadResult result;
    result.read = ReadPackHead(stream, sink, copyBuffer.data(), result.fields, result.description, patterns);
    result.accepted = result.read == PackHeadRead::Accepted;
    for (int i = 0; i < patterns.Count(); ++i)
        result.patterns.emplace_back(patterns[i].Text(), static_cast<size_t>(patterns[i].Length()));
    result.events = sink.events;
    result.consumed = stream.position;
    return result;
}

using Patterns = std::vector<std::string>;

TEST(PackHead, HeaderMustSayItsSizeIs16)
{
    struct Row {
        const char* name;
        Bytes bytes;
        bool accepted;
        PackHeadFields fields;
    };
    const Row rows[] = {
        {"empty entry", {}, false, {0, 0, 0, 0}},
        {"headerSize 15", Entry().U32(15).U32(1).U32(0).U32(16).bytes, false, {15, 1, 0, 16}},
        {"headerSize 17", Entry().U32(17).U32(1).U32(0).U32(16).bytes, false, {17, 1, 0, 16}},
        {"headerSize high bits", Entry().U32(0x10000010).bytes, false, {0x10000010, 0, 0, 0}},
        {"only headerSize", Entry().U32(16).bytes, true, {16, 0, 0, 0}},
        {"flags missing", Entry().U32(16).U32(3).bytes, true, {16, 3, 0, 0}},
        {"complete header", Entry().U32(16).U32(0).U32(0x18).U32(99).bytes, true, {16, 0, 0x18, 99}},
    };
    for (const Row& row : rows) {
        const ReadResult result = Read(row.bytes, 4096);
        EXPECT_EQ(result.accepted, row.accepted) << row.name;
        EXPECT_EQ(result.fields.headerSize, row.fields.headerSize) << row.name;
        EXPECT_EQ(result.fields.fileCount, row.fields.fileCount) << row.name;
        EXPECT_EQ(result.fields.flags, row.fields.flags) << row.name;
        EXPECT_EQ(result.fields.entrySize, row.fields.entrySize) << row.name;
        EXPECT_TRUE(result.patterns.empty()) << row.name;
        EXPECT_EQ(result.events, "") << row.name;
    }

    Bytes rejected = Entry().U32(17).U32(1).U32(0).U32(0).Text("%WinDir%a").bytes;
    EXPECT_EQ(Read(rejected, 4096).consumed, 16u) << "a rejected entry is read no further than its header";
}

TEST(PackHead, ShortAndDamagedEntriesKeepWhatArrived)
{
    const uint32_t side = PackFlagSideImage, text = PackFlagDescription, preview = PackFlagPreview;
    struct Row {
        const char* name;
        Bytes bytes;
        const char* description;
        const char* events;
        Patterns patterns;
    };
    const Row rows[] = {
        {"description length missing", Entry().Header(0, text).bytes, "", "", {}},
        {"description length partial", Entry().Header(0, text).Raw("\x03").bytes, "", "", {}},
        {"description of length 0", Entry().Header(1, text).Text("").Text("%WinDir%a").bytes, "", "",
         {"%WinDir%a"}},
        {"description with early zero",
         Entry().Header(1, text).U32(5).Raw(std::string("ab\0cd\0", 6)).Text("%SysDir%b").bytes, "ab", "",
         {"%SysDir%b"}},
        {"description cut short", Entry().Header(1, text).U32(10).Raw("abcd").bytes, "abcd", "", {}},
        {"side image length missing", Entry().Header(1, side).bytes, "", "B1:0 E1:0 ", {}},
        {"side image length partial", Entry().Header(1, side).Raw("\x05").bytes, "", "B1:5 E1:0 ", {}},
        {"side image longer than the entry",
         Entry().Header(2, side | text | preview).U32(100).Raw("1234567").bytes, "", "B1:100 E1:7 B4:0 E4:0 ", {}},
        {"preview longer than the entry", Entry().Header(1, preview).U32(9).Raw("12").bytes, "", "B4:9 E4:2 ",
         {}},
        {"all parts in flag order",
         Entry().Header(1, side | text | preview).U32(3).Raw("BMx").Text("Hi\r\n").U32(2).Raw("BM")
             .Text("%FontDir%f.ttf").bytes,
         "Hi\r\n", "B1:3 E1:3 B4:2 E4:2 ", {"%FontDir%f.ttf"}},
        {"other flag bits ignored", Entry().Header(1, 0xFFFFFFF8).Text("%ThemeDir%t").bytes, "", "",
         {"%ThemeDir%t"}},
        {"fewer records than fileCount", Entry().Header(5, 0).Text("a").Text("b").bytes, "", "", {"a", "b"}},
        {"fileCount 0", Entry().Header(0, 0).Text("a").bytes, "", "", {}},
        {"fileCount negative", Entry().Header(-1, 0).Text("a").bytes, "", "", {}},
        {"record of length 0", Entry().Header(2, 0).Text("").Text("x").bytes, "", "", {"", "x"}},
        {"record with early zero", Entry().Header(2, 0).U32(4).Raw(std::string("ab\0d\0", 5)).Text("y").bytes,
         "", "", {"ab", "y"}},
        {"record length partial", Entry().Header(3, 0).Text("a").Raw("\x01\x00").bytes, "", "", {"a"}},
        {"record cut short", Entry().Header(3, 0).Text("a").U32(10).Raw("%Sys").bytes, "", "", {"a", "%Sys"}},
        {"bytes after the last record", Entry().Header(1, 0).Text("a").Raw("junk").bytes, "", "", {"a"}},
    };
    for (const Row& row : rows) {
        for (size_t pieceSize : {size_t{1}, size_t{3}, size_t{65536}}) {
            const ReadResult result = Read(row.bytes, pieceSize);
            EXPECT_TRUE(result.accepted) << row.name << ", pieces of " << pieceSize;
            EXPECT_STREQ(result.description.Text(), row.description) << row.name << ", pieces of " << pieceSize;
            EXPECT_EQ(result.events, row.events) << row.name << ", pieces of " << pieceSize;
            EXPECT_EQ(result.patterns, row.patterns) << row.name << ", pieces of " << pieceSize;
        }
    }
}

// A length may lie up to its limit and only what arrives is kept; past the
// limit the header is refused before anything is reserved or read.
TEST(PackHead, LengthsAndCountsPastTheirLimitsAreRefused)
{
    const uint32_t side = PackFlagSideImage, text = PackFlagDescription, preview = PackFlagPreview;
    Entry records65535 = Entry().Header(PatternCountLimit, 0);
    for (int i = 0; i < PatternCountLimit; ++i)
        records65535.Text("");
    Entry records65536 = records65535;
    records65536.bytes[4] = 0;  // fileCount 65536: low byte
    records65536.bytes[6] = 1;
    records65536.Text("");
    const struct {
        const char* name;
        Bytes bytes;
        PackHeadRead read;
        size_t patterns;
    } rows[] = {
        {"description at its limit", Entry().Header(0, text).U32(DescriptionLengthLimit).Raw("abc").bytes,
         PackHeadRead::Accepted, 0},
        {"description past its limit", Entry().Header(0, text).U32(DescriptionLengthLimit + 1).Raw("abc").bytes,
         PackHeadRead::TooLarge, 0},
        {"description 0xFFFFFFFF", Entry().Header(0, text).U32(0xFFFFFFFF).Raw("abc").bytes, PackHeadRead::TooLarge, 0},
        {"side image at its limit", Entry().Header(0, side).U32(ImageLengthLimit).Raw("BM").bytes,
         PackHeadRead::Accepted, 0},
        {"side image 0xFFFFFFFF", Entry().Header(0, side).U32(0xFFFFFFFF).Raw("BM").bytes, PackHeadRead::TooLarge, 0},
        {"preview past its limit", Entry().Header(0, preview).U32(ImageLengthLimit + 1).bytes, PackHeadRead::TooLarge,
         0},
        {"record at its limit", Entry().Header(1, 0).U32(PatternLengthLimitInRecord).Raw("%Win").bytes,
         PackHeadRead::Accepted, 1},
        {"record 0xFFFFFFFF", Entry().Header(1, 0).U32(0xFFFFFFFF).Raw("xyz").bytes, PackHeadRead::TooLarge, 0},
        {"65535 records", records65535.bytes, PackHeadRead::Accepted, 65535},
        {"65536 records", records65536.bytes, PackHeadRead::TooLarge, 65535},
        {"fileCount 0x7FFFFFFF over two records", Entry().Header(0x7FFFFFFF, 0).Text("a").Text("b").bytes,
         PackHeadRead::Accepted, 2},
    };
    for (const auto& row : rows) {
        const ReadResult result = Read(row.bytes, 65536);
        EXPECT_EQ(result.read, row.read) << row.name;
        EXPECT_EQ(result.patterns.size(), row.patterns) << row.name;
        EXPECT_LE(result.description.Capacity(), 2 * static_cast<int>(CopyChunkSize)) << row.name;
    }
}

TEST(PackHead, StreamErrorEndsThePartAndTheReading)
{
    const Bytes bytes = Entry().Header(1, PackFlagSideImage | PackFlagDescription).U32(50).Raw(std::string(50, 'i'))
                            .Text("described").Text("%WinDir%w").bytes;
    struct Row {
        size_t errorAt;
        bool accepted;
        const char* events;
        const char* description;
        Patterns patterns;
    };
    const Row rows[] = {
        {0, false, "", "", {}},
        {6, true, "", "", {}},  // fileCount arrived, flags read as 0
        {20, true, "B1:50 E1:0 ", "", {}},
        {45, true, "B1:50 E1:25 ", "", {}},
        {78, true, "B1:50 E1:50 ", "desc", {}},
        {bytes.size() - 2, true, "B1:50 E1:50 ", "described", {"%WinDir%"}},
        {bytes.size(), true, "B1:50 E1:50 ", "described", {"%WinDir%w"}},
    };
    for (const Row& row : rows) {
        const ReadResult result = Read(bytes, 7, row.errorAt);
        EXPECT_EQ(result.accepted, row.accepted) << "error at " << row.errorAt;
        EXPECT_EQ(result.events, row.events) << "error at " << row.errorAt;
        EXPECT_STREQ(result.description.Text(), row.description) << "error at " << row.errorAt;
        EXPECT_EQ(result.patterns, row.patterns) << "error at " << row.errorAt;
    }
}

TEST(PackHead, EncodedEntryHasTheWrittenLayout)
{
    PackHeadParts parts;
    parts.hasDescription = true;
    parts.description = "Hi";
    parts.patterns = {"%WinDir%a"};
    const Bytes expected = Entry().U32(16).U32(1).U32(PackFlagDescription).U32(16 + 4 + 3 + 4 + 10)
                               .U32(2).Raw(std::string("Hi\0", 3)).U32(9).Raw(std::string("%WinDir%a\0", 10)).bytes;
    EXPECT_EQ(EncodePackHead(parts), expected);

    const Bytes empty = EncodePackHead(PackHeadParts());
    EXPECT_EQ(empty, Entry().U32(16).U32(0).U32(0).U32(16).bytes);
}

TEST(PackHead, EncodedEntryReadsBackWithImagesInFiles)
{
    PackHeadParts parts;
    parts.hasSideImage = true;
    for (int i = 0; i < 100000; ++i)
        parts.sideImage.push_back(static_cast<char>(i * 7));
    parts.hasDescription = true;
    parts.description = "A blue theme.\r\nWith sounds.";
    parts.hasPreview = true;
    parts.preview = std::string("BM\0\0preview", 11);
    parts.patterns = {"%ThemeDir%Blue.theme", "%WinDir%Blue.bmp", "", "%FontDir%Blue.ttf"};
    const Bytes entry = EncodePackHead(parts);

    for (size_t pieceSize : {size_t{1}, size_t{1000}, size_t{1} << 20}) {
        TempFile sideFile("side.bmp");
        TempFile previewFile("preview.bmp");
        StdioFile side;
        StdioFile preview;
        ASSERT_TRUE(side.Open(sideFile.Path(), "w+b"));
        ASSERT_TRUE(preview.Open(previewFile.Path(), "w+b"));
        RecordingSink sink;
        sink.sideTarget = &side;
        sink.previewTarget = &preview;
        MemoryStream stream(entry, pieceSize);
        std::vector<char> copyBuffer(CopyChunkSize);
        PackHeadFields fields;
        String description;
        StringList patterns;

        ASSERT_EQ(ReadPackHead(stream, sink, copyBuffer.data(), fields, description, patterns), PackHeadRead::Accepted)
            << pieceSize;
        side.Close();
        preview.Close();

        EXPECT_EQ(fields.fileCount, 4) << pieceSize;
        EXPECT_EQ(fields.flags, 7u) << pieceSize;
        EXPECT_EQ(fields.entrySize, entry.size()) << pieceSize;
        EXPECT_EQ(stream.position, entry.size()) << "whole entry read, pieces of " << pieceSize;
        EXPECT_LE(stream.largestRequest, CopyChunkSize) << pieceSize;
        EXPECT_EQ(sink.events, "B1:100000 E1:100000 B4:11 E4:11 ") << pieceSize;
        EXPECT_EQ(sideFile.ReadAll(), Bytes(parts.sideImage.begin(), parts.sideImage.end())) << pieceSize;
        EXPECT_EQ(previewFile.ReadAll(), Bytes(parts.preview.begin(), parts.preview.end())) << pieceSize;
        EXPECT_STREQ(description.Text(), parts.description.c_str()) << pieceSize;
        ASSERT_EQ(patterns.Count(), 4) << pieceSize;
        for (int i = 0; i < 4; ++i)
            EXPECT_STREQ(patterns[i].Text(), parts.patterns[static_cast<size_t>(i)].c_str()) << "pattern " << i;
    }
}

}  // namespace
