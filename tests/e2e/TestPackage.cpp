// TestPackage: writing test archives and packages with the packager's own writer.
#include "tests/e2e/TestPackage.h"

#include "package/PackageWriter.h"
#include "tests/e2e/TestFiles.h"

namespace {

void PutLittleEndian(std::string& bytes, uint32_t value, unsigned width)
{
    for (unsigned i = 0; i < width; ++i)
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

bool WriteZipArchive(const std::string& path, const std::vector<ZipEntryData>& entries, std::string& error)
{
    ZipWriter zip;
    if (!zip.Create(path.c_str())) {
        error = "cannot create " + path;
        return false;
    }
    for (const ZipEntryData& entry : entries) {
        if (!zip.AddBytes(entry.name.c_str(), entry.bytes.data(), entry.bytes.size())) {
            error = "cannot add " + entry.name + " to " + path;
            return false;
        }
    }
    if (!zip.Close()) {
        error = "cannot finish " + path;
        return false;
    }
    return true;
}

std::vector<ZipEntryData> PackageEntries(const PackHeadParts& parts)
{
    std::vector<ZipEntryData> entries;
    for (const std::string& pattern : parts.patterns)
        entries.push_back({EntryNameForPattern(pattern), "contents of " + pattern + "\r\n"});
    const std::vector<unsigned char> head = EncodePackHead(parts);
    entries.push_back({PackHeadName, std::string(head.begin(), head.end())});
    return entries;
}

bool AssembleTestPackage(const std::string& stubPath, const std::string& payload,
                         const std::string& outputPath, std::string& error)
{
    const std::string payloadPath = outputPath + ".payload";
    if (!WriteFileBytes(payloadPath, payload)) {
        error = "cannot write " + payloadPath;
        return false;
    }
    return AssemblePackage(stubPath, payloadPath, outputPath, PackageTrailer(), error);
}

bool WriteRawPackage(const std::string& stubPath, const std::string& payload, const PackageTrailer& trailer,
                     const std::string& outputPath, std::string& error)
{
    std::string bytes;
    if (!ReadFileBytes(stubPath, bytes)) {
        error = "cannot read " + stubPath;
        return false;
    }
    unsigned char ending[PackageTrailerSize];
    trailer.Encode(ending);
    bytes += payload;
    bytes.append(reinterpret_cast<const char*>(ending), sizeof(ending));
    if (!WriteFileBytes(outputPath, bytes)) {
        error = "cannot write " + outputPath;
        return false;
    }
    return true;
}

std::string SmallBitmapFile()
{
    // Two rows of two pixels, each row padded to four bytes.
    const std::string pixels("\x00\x00\xFF\x00\xFF\x00\x00\x00\xFF\x00\x00\xFF\xFF\xFF\x00\x00", 16);
    const uint32_t headersSize = 14 + 40;
    std::string file = "BM";
    PutLittleEndian(file, headersSize + static_cast<uint32_t>(pixels.size()), 4);
    PutLittleEndian(file, 0, 4);            // reserved
    PutLittleEndian(file, headersSize, 4);  // offset of the pixels
    PutLittleEndian(file, 40, 4);           // BITMAPINFOHEADER
    PutLittleEndian(file, 2, 4);            // width
    PutLittleEndian(file, 2, 4);            // height, bottom-up
    PutLittleEndian(file, 1, 2);            // planes
    PutLittleEndian(file, 24, 2);           // bits per pixel
    PutLittleEndian(file, 0, 4);            // BI_RGB
    PutLittleEndian(file, static_cast<uint32_t>(pixels.size()), 4);
    PutLittleEndian(file, 2835, 4);         // 72 dpi
    PutLittleEndian(file, 2835, 4);
    PutLittleEndian(file, 0, 4);
    PutLittleEndian(file, 0, 4);
    return file + pixels;
}
