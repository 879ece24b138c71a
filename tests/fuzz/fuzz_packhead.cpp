// fuzz_packhead: the trailer's decoder and file reader, and the PackHead reader fed in pieces of varying size.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/CopyStream.h"
#include "base/ScratchFile.h"
#include "base/StdioFile.h"
#include "base/String.h"
#include "base/StringList.h"
#include "package/PackHead.h"
#include "package/PackageTrailer.h"
#include "tests/fuzz/FuzzFiles.h"

namespace {

// The entry in pieces whose sizes follow a pattern byte: an archive may cut
// its reads anywhere. With the byte's top bit set the entry ends in a read
// error rather than at its end.
class PieceSource : public ByteSource {
public:
    PieceSource(const uint8_t* begin, const uint8_t* end, uint8_t pattern) : at(begin), end(end), pattern(pattern) {}

    int Read(void* buffer, unsigned count) override
    {
        static constexpr size_t kPieces[] = {1, 2, 3, 4, 7, 16, 255, 4096, 32768};
        if (at == end)
            return (pattern & 0x80) != 0 ? -1 : 0;
        const size_t n = std::min({size_t{count}, kPieces[(pattern + reads++) % 9], static_cast<size_t>(end - at)});
        std::memcpy(buffer, at, n);
        at += n;
        return static_cast<int>(n);
    }

private:
    const uint8_t* at;
    const uint8_t* end;
    uint8_t pattern;
    unsigned reads = 0;
};

// A part never reports more bytes than it announced.
void CheckPart(uint32_t present, uint32_t announced)
{
    if (present > announced)
        std::abort();
}

// The side image goes to a scratch file and the preview nowhere, the two
// ways a loader may take.
class ImageSink : public PackHeadImageSink {
public:
    StdioFile* BeginImage(uint32_t flag, uint32_t announcedLength) override
    {
        announced = announcedLength;
        const bool toFile = flag == PackFlagSideImage && sideImage.CreateTemporary("fuzz");
        return toFile ? &sideImage.File() : nullptr;
    }
    void EndImage(uint32_t, uint32_t copiedLength) override { CheckPart(copiedLength, announced); }
    void EndDescription(uint32_t length, uint32_t presentLength) override { CheckPart(presentLength, length); }

private:
    ScratchFile sideImage;
    uint32_t announced = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size-- == 0)
        return 0;
    const uint8_t pattern = *data++;

    PackageTrailer trailer;
    if (size >= PackageTrailerSize)
        trailer.Decode(data);
    const InputFile input("package", data, size);
    StdioFile file;
    if (file.Open(input.Path(), "rb"))
        trailer.ReadFrom(file);

    PieceSource source(data, data + size, pattern);
    ImageSink images;
    std::vector<char> buffer(CopyChunkSize);
    PackHeadFields fields;
    String description;
    StringList patterns;
    ReadPackHead(source, images, buffer.data(), fields, description, patterns);
    // Every pattern is a record of the entry, and there are no more than announced.
    if (patterns.Count() > std::max(fields.fileCount, 0) || static_cast<size_t>(description.Length()) > size)
        std::abort();
    return 0;
}
