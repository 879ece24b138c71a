// PackageSources: the checks of bitmaps, description text and the writer's input files.
#include "package/PackageSources.h"

#include <cerrno>
#include <cstring>

#include "base/ByteOrder.h"
#include "base/HostText.h"
#include "base/StdioFile.h"
#include "base/Text.h"
#include "package/PackageTrailer.h"
#include "package/ProgramSignature.h"

namespace {

// Lengths in PackHead are 32-bit.
constexpr uint64_t kPartSizeLimit = 0xFFFFFFFFu;

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kRgb = 0;
constexpr uint32_t kRle8 = 1;
constexpr uint32_t kRle4 = 2;
constexpr uint32_t kBitFields = 3;
constexpr uint32_t kAlphaBitFields = 6;

uint32_t Get16(const std::string& bytes, size_t at)
{
    return GetLittleEndian16(reinterpret_cast<const unsigned char*>(bytes.data()) + at);
}

uint32_t Get32(const std::string& bytes, size_t at)
{
    return GetLittleEndian32(reinterpret_cast<const unsigned char*>(bytes.data()) + at);
}

bool IsKnownInfoHeaderSize(uint32_t size)
{
    // The core header, the Windows 3 header and its later extensions
    // (with bit masks, the OS/2 2 header, versions 4 and 5).
    return size == kCoreHeaderSize || size == 40 || size == 52 || size == 56 || size == 64 || size == 108 ||
           size == 124;
}

bool Fail(std::string& problem, const std::string& why)
{
    problem = why;
    return false;
}

}  // namespace

bool CheckBitmapFile(const std::string& bytes, BitmapFacts& facts, std::string& problem)
{
    facts = BitmapFacts();
    const uint64_t size = bytes.size();
    if (size < kFileHeaderSize + 4)
        return Fail(problem, "too short for a bitmap file");
    if (bytes[0] != 'B' || bytes[1] != 'M')
        return Fail(problem, "no bitmap file header (\"BM\")");
    const uint32_t fileSize = Get32(bytes, 2);
    const uint32_t pixelOffset = Get32(bytes, 10);
    const uint32_t infoSize = Get32(bytes, kFileHeaderSize);
    if (!IsKnownInfoHeaderSize(infoSize))
        return Fail(problem, "unknown info header size " + std::to_string(infoSize));
    if (kFileHeaderSize + infoSize > size)
        return Fail(problem, "info header cut short");

    const size_t info = kFileHeaderSize;
    uint32_t planes = 0;
    uint32_t compression = kRgb;
    uint32_t imageSize = 0;
    if (infoSize == kCoreHeaderSize) {
        facts.width = static_cast<int32_t>(Get16(bytes, info + 4));
        facts.height = static_cast<int32_t>(Get16(bytes, info + 6));
        planes = Get16(bytes, info + 8);
        facts.bitCount = Get16(bytes, info + 10);
    } else {
        facts.width = static_cast<int32_t>(Get32(bytes, info + 4));
        facts.height = static_cast<int32_t>(Get32(bytes, info + 8));
        planes = Get16(bytes, info + 12);
        facts.bitCount = Get16(bytes, info + 14);
        compression = Get32(bytes, info + 16);
        imageSize = Get32(bytes, info + 20);
    }
    if (planes != 1)
        return Fail(problem, "plane count " + std::to_string(planes) + ", not 1");
    if (facts.width <= 0 || facts.height == 0 || facts.height == INT32_MIN)
        return Fail(problem, "size " + std::to_string(facts.width) + " x " + std::to_string(facts.height));
    const uint32_t bits = facts.bitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return Fail(problem, std::to_string(bits) + " bits per pixel");
    if (fileSize > size)
        return Fail(problem, "file header announces " + std::to_string(fileSize) + " bytes, the file has " +
                                 std::to_string(size));
    if (pixelOffset < kFileHeaderSize + infoSize || pixelOffset >= size)
        return Fail(problem, "pixel data offset " + std::to_string(pixelOffset) + " lies outside the file");

    uint64_t pixelBytes = 0;
    if (compression == kRgb || compression == kBitFields || compression == kAlphaBitFields) {
        const uint64_t rowBytes = (static_cast<uint64_t>(facts.width) * bits + 31) / 32 * 4;
        const int64_t height = facts.height;
        const uint64_t rows = static_cast<uint64_t>(height < 0 ? -height : height);
        pixelBytes = rowBytes * rows;
    } else if (compression == kRle8 || compression == kRle4) {
        pixelBytes = imageSize;
    } else {
        return Fail(problem, "compression " + std::to_string(compression) + " cannot be shown");
    }
    if (pixelOffset + pixelBytes > size)
        return Fail(problem, "pixel data cut short: " + std::to_string(pixelBytes) + " bytes from offset " +
                                 std::to_string(pixelOffset) + ", the file has " + std::to_string(size));
    return true;
}

bool PrepareDescription(const std::string& raw, std::string& text, std::string& problem)
{
    const size_t zero = raw.find('\0');
    if (zero != std::string::npos)
        return Fail(problem, "holds a zero byte at offset " + std::to_string(zero));
    text.clear();
    text.reserve(raw.size() + raw.size() / 16);
    for (size_t i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c == '\r' || c == '\n') {
            text += "\r\n";
            if (c == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n')
                ++i;
        } else {
            text += c;
        }
    }
    return true;
}

bool OpenSourceFile(const std::string& path, StdioFile& file, uint64_t& size, std::string& error)
{
    errno = 0;
    if (!file.Open(path.c_str(), "rb"))
        return Fail(error, "cannot open " + Quoted(path) + ": " + std::strerror(errno));
    char first;
    errno = 0;
    if (file.Read(&first, 1) == 0 && file.HasError())
        return Fail(error, "cannot read " + Quoted(path) + ": " + std::strerror(errno));
    if (!file.Seek(0, SEEK_END, size) || !file.Seek(0, SEEK_SET))
        return Fail(error, "cannot read " + Quoted(path) + ": it cannot be measured");
    return true;
}

bool CheckStubFile(const std::string& path, std::string& error)
{
    StdioFile file;
    uint64_t size = 0;
    if (!OpenSourceFile(path, file, size, error))
        return false;
    char magic[2] = {0, 0};
    if (file.Read(magic, sizeof magic) != sizeof magic || magic[0] != 'M' || magic[1] != 'Z')
        return Fail(error, "stub " + Quoted(path) + " is not a Windows program (no \"MZ\" header)");
    // A signature covers the image it was made for: what the package appends
    // would break it, and the loader looks for the trailer before it.
    CertificateTable signature;
    if (FindCertificateTable(file, size, signature))
        return Fail(error, "stub " + Quoted(path) + " is signed: sign the finished package instead");
    PackageTrailer trailer;
    if (trailer.ReadFrom(file))
        return Fail(error, "stub " + Quoted(path) + " is already a theme package");
    return true;
}

bool ReadBitmapFile(const std::string& path, const char* what, std::string& bytes, std::string& error)
{
    if (!ReadPartFile(path, what, bytes, error))
        return false;
    BitmapFacts facts;
    std::string problem;
    if (!CheckBitmapFile(bytes, facts, problem))
        return Fail(error, std::string(what) + " " + Quoted(path) + " is not a usable bitmap: " + problem);
    return true;
}

bool ReadDescriptionFile(const std::string& path, std::string& text, std::string& error)
{
    std::string raw;
    std::string problem;
    if (!ReadPartFile(path, "description", raw, error))
        return false;
    if (!PrepareDescription(raw, text, problem))
        return Fail(error, "description " + Quoted(path) + " " + problem);
    return true;
}

bool ReadPartFile(const std::string& path, const char* what, std::string& bytes, std::string& error)
{
    StdioFile file;
    uint64_t size = 0;
    if (!OpenSourceFile(path, file, size, error))
        return false;
    if (size >= kPartSizeLimit)
        return Fail(error, std::string(what) + " " + Quoted(path) + " is too large for a package");
    bytes.resize(static_cast<size_t>(size));
    if (size > 0 && file.Read(&bytes[0], bytes.size()) != bytes.size())
        return Fail(error, "cannot read " + Quoted(path));
    return true;
}
