// RawPackage: package bytes written field by field, apart from the packager's writer, so that any field can lie.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Stands for "the true value" in the fields below that may lie.
constexpr int64_t kTruth = -1;

// Little-endian fields appended to bytes.
void Put16(std::string& bytes, uint32_t value);
void Put32(std::string& bytes, uint32_t value);

// One entry of an archive: data is what it holds before compression. Every
// field after method tells the truth unless a row sets it; a lie goes into
// the local header and the central directory alike, so that the two agree.
struct RawEntry {
    std::string name;
    std::string data;
    uint16_t method = 8;                // 8 deflates data; any other number stores it as it is
    int64_t crc = kTruth;
    int64_t compressedSize = kTruth;
    int64_t uncompressedSize = kTruth;
    size_t storedBytes = SIZE_MAX;      // fewer: the stored data is cut after this many bytes
    int64_t localOffset = kTruth;       // where the directory says the local header is
    int sameDataAs = -1;                // an earlier entry's index: no local data, its directory record copied
};

// The archive: local headers and data in order, the central directory, the
// end record. entryCount lies in both count fields of the end record.
std::string ZipBytes(const std::vector<RawEntry>& entries, int64_t entryCount = kTruth);

// u32 length, the bytes, and a terminating zero when withZero: the layout of
// PackHead's parts and path records.
std::string Counted(const std::string& bytes, bool withZero);
// PackHead: headerSize, fileCount (the records' number when kTruth), flags,
// entrySize, then body, which holds the parts the flags announce.
std::string PackHeadBytes(const std::vector<std::string>& patterns, int64_t fileCount = kTruth,
                          uint32_t flags = 0, const std::string& body = "", uint32_t headerSize = 16);

// The trailer's five fields; offset and length default to the payload's place.
struct RawTrailer {
    uint32_t trailerSize = 20;
    uint32_t magic = 0x03AF7319;
    uint32_t formatVersion = 1;
    int64_t payloadOffset = kTruth;
    int64_t payloadLength = kTruth;
};

// The program image, the payload and the trailer, in that order.
std::string PackageBytes(const std::string& stub, const std::string& payload, const RawTrailer& trailer = {});
