// PackageTrailer: the 20-byte record at the end of a package that locates its ZIP payload.
#pragma once

#include <cstdint>

class StdioFile;

constexpr uint32_t PackageTrailerMagic = 0x03AF7319;
constexpr uint32_t PackageTrailerSize = 20;
constexpr uint32_t PackageFormatVersion = 1;

// The trailer as stored: five little-endian 32-bit fields. A record made in
// memory starts as 20, magic, 1, 0, 0.
struct PackageTrailer {
    uint32_t trailerSize = PackageTrailerSize;
    uint32_t magic = PackageTrailerMagic;
    uint32_t formatVersion = PackageFormatVersion;
    uint32_t payloadOffset = 0;
    uint32_t payloadLength = 0;

    void Decode(const unsigned char* bytes);
    void Encode(unsigned char* bytes) const;

    // Seeks to the last trailerSize bytes of the open file and reads them into
    // this record. True when the bytes read number exactly the trailerSize now
    // in the record and the magic is right; formatVersion is not examined.
    bool ReadFrom(StdioFile& file);
    // As ReadFrom, with the record ending at offset end instead of the end of
    // the file (a signed package's certificate table follows it).
    bool ReadBefore(StdioFile& file, uint64_t end);
};
