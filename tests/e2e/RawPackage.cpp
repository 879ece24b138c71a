// RawPackage: ZIP records, PackHead and the trailer laid out by hand, deflating through zlib alone.
#include "tests/e2e/RawPackage.h"

#include <zlib.h>

namespace {

uint32_t Pick(int64_t lie, uint64_t truth)
{
    return static_cast<uint32_t>(lie == kTruth ? truth : static_cast<uint64_t>(lie));
}

// Raw deflate, without zlib's header, as ZIP entries hold it.
std::string Deflate(const std::string& data)
{
    z_stream stream = {};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, static_cast<uLong>(data.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(&out[0]);
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

// The fields from "version needed" to the name length, shared by both headers.
std::string CommonFields(const RawEntry& entry, const std::string& stored)
{
    std::string fields;
    Put16(fields, 20);
    Put16(fields, 0);
    Put16(fields, entry.method);
    Put32(fields, 0x00210000);  // 1 January 1980, midnight
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(entry.data.data()), static_cast<uInt>(entry.data.size()));
    Put32(fields, Pick(entry.crc, crc));
    Put32(fields, Pick(entry.compressedSize, stored.size()));
    Put32(fields, Pick(entry.uncompressedSize, entry.data.size()));
    Put16(fields, static_cast<uint32_t>(entry.name.size()));
    return fields;
}

}  // namespace

void Put16(std::string& bytes, uint32_t value)
{
    bytes.push_back(static_cast<char>(value));
    bytes.push_back(static_cast<char>(value >> 8));
}

void Put32(std::string& bytes, uint32_t value)
{
    Put16(bytes, value & 0xFFFF);
    Put16(bytes, value >> 16);
}

std::string ZipBytes(const std::vector<RawEntry>& entries, int64_t entryCount)
{
    std::string zip;
    std::vector<std::string> records;
    for (const RawEntry& entry : entries) {
        if (entry.sameDataAs >= 0) {
            records.push_back(records[static_cast<size_t>(entry.sameDataAs)]);
            continue;
        }
        const std::string stored = entry.method == 8 ? Deflate(entry.data) : entry.data;
        const std::string fields = CommonFields(entry, stored);
        std::string record;
        Put32(record, 0x02014B50);
        Put16(record, 20);  // made by
        record += fields;
        Put16(record, 0);   // extra field, comment, disk, internal attributes
        Put16(record, 0);
        Put16(record, 0);
        Put16(record, 0);
        Put32(record, 0);   // external attributes
        Put32(record, Pick(entry.localOffset, zip.size()));
        records.push_back(record + entry.name);

        Put32(zip, 0x04034B50);
        zip += fields;
        Put16(zip, 0);      // no extra field
        zip += entry.name + stored.substr(0, entry.storedBytes);
    }
    const size_t directoryOffset = zip.size();
    for (const std::string& record : records)
        zip += record;
    const uint32_t count = Pick(entryCount, records.size());
    Put32(zip, 0x06054B50);
    Put32(zip, 0);          // this disk, the directory's disk
    Put16(zip, count);
    Put16(zip, count);
    Put32(zip, static_cast<uint32_t>(zip.size() - 12 - directoryOffset));
    Put32(zip, static_cast<uint32_t>(directoryOffset));
    Put16(zip, 0);          // no comment
    return zip;
}

std::string Counted(const std::string& bytes, bool withZero)
{
    std::string counted;
    Put32(counted, static_cast<uint32_t>(bytes.size()));
    counted += bytes;
    if (withZero)
        counted.push_back('\0');
    return counted;
}

std::string PackHeadBytes(const std::vector<std::string>& patterns, int64_t fileCount, uint32_t flags,
                          const std::string& body, uint32_t headerSize)
{
    std::string head;
    Put32(head, headerSize);
    Put32(head, Pick(fileCount, patterns.size()));
    Put32(head, flags);
    Put32(head, 0);  // entrySize: nobody reads it
    head += body;
    for (const std::string& pattern : patterns)
        head += Counted(pattern, true);
    return head;
}

std::string PackageBytes(const std::string& stub, const std::string& payload, const RawTrailer& trailer)
{
    std::string bytes = stub + payload;
    Put32(bytes, trailer.trailerSize);
    Put32(bytes, trailer.magic);
    Put32(bytes, trailer.formatVersion);
    Put32(bytes, Pick(trailer.payloadOffset, stub.size()));
    Put32(bytes, Pick(trailer.payloadLength, payload.size()));
    return bytes;
}
