// PackHead: reading the header entry as the installer does.
#include "package/PackHead.h"

#include <climits>

#include "base/ByteOrder.h"
#include "base/StdioFile.h"
#include "base/String.h"
#include "base/StringList.h"
#include "base/Text.h"

namespace {

// Bytes delivered before the end of the entry or an error.
unsigned ReadFull(ByteSource& stream, void* buffer, unsigned count)
{
    unsigned total = 0;
    while (total < count) {
        const int got = stream.Read(static_cast<char*>(buffer) + total, count - total);
        if (got <= 0)
            break;
        total += static_cast<unsigned>(got);
    }
    return total;
}

// A length field; bytes that the entry cannot supply read as 0.
uint32_t ReadLength(ByteSource& stream, bool* complete = nullptr)
{
    unsigned char bytes[4] = {0, 0, 0, 0};
    const unsigned got = ReadFull(stream, bytes, sizeof bytes);
    if (complete != nullptr)
        *complete = got == sizeof bytes;
    return GetLittleEndian32(bytes);
}

// An image part's file. Its write results are not examined: the part's
// bytes must be consumed whatever becomes of them, so that the parts after
// it are read from the right place.
class ImageFileSink : public ByteSink {
public:
    explicit ImageFileSink(StdioFile& file) : file(file) {}
    bool Write(const void* data, unsigned count) override
    {
        file.Write(data, count);
        return true;
    }

private:
    StdioFile& file;
};

// Copies up to length bytes of the entry into target (null: only consumes
// them), stopping early at the end of the entry.
uint32_t CopyEntryBytes(ByteSource& stream, uint32_t length, StdioFile* target, char* buffer)
{
    if (target == nullptr)
        return static_cast<uint32_t>(CopyStream(stream, nullptr, length, buffer, CopyChunkSize).copied);
    ImageFileSink sink(*target);
    return static_cast<uint32_t>(CopyStream(stream, &sink, length, buffer, CopyChunkSize).copied);
}

// A text of length characters plus its terminating zero, ending at the first
// zero byte. The length field is not trusted: the buffer grows only with the
// bytes that actually arrive, so a damaged length can neither reserve nor
// write more than the entry holds. A text cut short keeps what was read.
// Returns how many of the length characters arrived.
uint32_t ReadText(ByteSource& stream, uint32_t length, String& text)
{
    text = "";
    const uint64_t wanted = static_cast<uint64_t>(length) + 1;
    int stored = 0;
    while (static_cast<uint64_t>(stored) < wanted) {
        uint64_t chunk = stored > static_cast<int>(CopyChunkSize) ? static_cast<uint64_t>(stored) : CopyChunkSize;
        if (chunk > wanted - static_cast<uint64_t>(stored))
            chunk = wanted - static_cast<uint64_t>(stored);
        if (chunk > static_cast<uint64_t>(INT_MAX - 1 - stored))
            break;  // beyond what a String can hold
        char* buffer = text.ReserveBuffer(stored + static_cast<int>(chunk));
        const unsigned got = ReadFull(stream, buffer + stored, static_cast<unsigned>(chunk));
        stored += static_cast<int>(got);
        // Keep every byte read so far, zeros included, across the next growth.
        text.CommitBuffer(stored);
        if (got < chunk)
            break;
    }
    text.CommitBuffer(-1);
    return static_cast<uint64_t>(stored) < length ? static_cast<uint32_t>(stored) : length;
}

}  // namespace

bool IsPackHeadName(const char* name)
{
    return EqualsNoCase(name, PackHeadName);
}

void PackHeadImageSink::EndDescription(uint32_t, uint32_t)
{
}

PackHeadRead ReadPackHead(ByteSource& stream, PackHeadImageSink& images, char* copyBuffer,
                          PackHeadFields& fields, String& description, StringList& patterns)
{
    unsigned char header[PackHeadHeaderSize] = {};
    ReadFull(stream, header, sizeof header);
    fields.headerSize = GetLittleEndian32(header);
    fields.fileCount = static_cast<int32_t>(GetLittleEndian32(header + 4));
    fields.flags = GetLittleEndian32(header + 8);
    fields.entrySize = GetLittleEndian32(header + 12);
    if (fields.headerSize != PackHeadHeaderSize)
        return PackHeadRead::WrongHeaderSize;

    if (fields.flags & PackFlagSideImage) {
        const uint32_t length = ReadLength(stream);
        if (length > ImageLengthLimit)
            return PackHeadRead::TooLarge;
        StdioFile* target = images.BeginImage(PackFlagSideImage, length);
        images.EndImage(PackFlagSideImage, CopyEntryBytes(stream, length, target, copyBuffer));
    }
    if (fields.flags & PackFlagDescription) {
        const uint32_t length = ReadLength(stream);
        if (length > DescriptionLengthLimit)
            return PackHeadRead::TooLarge;
        images.EndDescription(length, ReadText(stream, length, description));
    }
    if (fields.flags & PackFlagPreview) {
        const uint32_t length = ReadLength(stream);
        if (length > ImageLengthLimit)
            return PackHeadRead::TooLarge;
        StdioFile* target = images.BeginImage(PackFlagPreview, length);
        images.EndImage(PackFlagPreview, CopyEntryBytes(stream, length, target, copyBuffer));
    }

    // Grows in one step to what the count announces, within the limit, so
    // that reading stays linear however many records there are.
    if (fields.fileCount > 0)
        patterns.Resize(patterns.Count(), fields.fileCount < PatternCountLimit ? fields.fileCount : PatternCountLimit);
    String pattern;
    for (int32_t i = 0; i < fields.fileCount; ++i) {
        bool complete = false;
        const uint32_t length = ReadLength(stream, &complete);
        if (!complete)
            break;
        if (length > PatternLengthLimitInRecord || patterns.Count() >= PatternCountLimit)
            return PackHeadRead::TooLarge;
        ReadText(stream, length, pattern);
        patterns.PutAt(patterns.Count(), pattern);
    }
    return PackHeadRead::Accepted;
}
