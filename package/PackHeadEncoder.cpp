// EncodePackHead: the header entry's bytes as packages are written.
#include "package/PackHeadEncoder.h"

#include "base/ByteOrder.h"
#include "package/PackHead.h"

namespace {

void AppendLength(std::vector<unsigned char>& out, size_t length)
{
    unsigned char bytes[4];
    PutLittleEndian32(bytes, static_cast<uint32_t>(length));
    out.insert(out.end(), bytes, bytes + 4);
}

void AppendBytes(std::vector<unsigned char>& out, const std::string& bytes)
{
    out.insert(out.end(), bytes.begin(), bytes.end());
}

}  // namespace

std::vector<unsigned char> EncodePackHead(const PackHeadParts& parts)
{
    std::vector<unsigned char> out(PackHeadHeaderSize, 0);
    uint32_t flags = 0;
    if (parts.hasSideImage) {
        flags |= PackFlagSideImage;
        AppendLength(out, parts.sideImage.size());
        AppendBytes(out, parts.sideImage);
    }
    if (parts.hasDescription) {
        flags |= PackFlagDescription;
        AppendLength(out, parts.description.size());
        AppendBytes(out, parts.description);
        out.push_back(0);
    }
    if (parts.hasPreview) {
        flags |= PackFlagPreview;
        AppendLength(out, parts.preview.size());
        AppendBytes(out, parts.preview);
    }
    for (const std::string& pattern : parts.patterns) {
        AppendLength(out, pattern.size());
        AppendBytes(out, pattern);
        out.push_back(0);
    }
    PutLittleEndian32(out.data(), PackHeadHeaderSize);
    PutLittleEndian32(out.data() + 4, static_cast<uint32_t>(parts.patterns.size()));
    PutLittleEndian32(out.data() + 8, flags);
    PutLittleEndian32(out.data() + 12, static_cast<uint32_t>(out.size()));
    return out;
}
