// ReadProgramVersion: the PE headers, the section that holds the resources, and the version record's fixed part.
#include "package/ProgramVersion.h"

#include <cstdio>

#include "base/ByteOrder.h"
#include "base/StdioFile.h"
#include "package/ProgramHeaders.h"

namespace {

constexpr uint32_t kSectionHeaderSize = 40;
constexpr uint32_t kResourceDirectory = 2;
constexpr uint32_t kVersionResource = 16;
constexpr uint32_t kFixedInfoSignature = 0xFEEF04BD;
// A version record starts with its name; the fixed part follows within this.
constexpr uint32_t kFixedInfoSearch = 128;
// More sections than this the loader itself refuses.
constexpr uint32_t kMaximumSections = 96;

// The image's sections, to turn addresses in memory into offsets in the file.
class SectionMap {
public:
    SectionMap(StdioFile& file, uint64_t fileSize, uint64_t table, uint32_t count)
        : file(file), fileSize(fileSize), table(table), count(count < kMaximumSections ? count : kMaximumSections)
    {
    }

    // False when no section holds length bytes at address.
    bool ToOffset(uint32_t address, uint32_t length, uint64_t& offset) const
    {
        for (uint32_t i = 0; i < count; ++i) {
            unsigned char section[kSectionHeaderSize];
            if (!ReadProgramBytes(file, table + static_cast<uint64_t>(i) * kSectionHeaderSize, section, sizeof section,
                        fileSize))
                return false;
            const uint32_t start = GetLittleEndian32(section + 12);
            const uint32_t rawSize = GetLittleEndian32(section + 16);
            const uint32_t rawOffset = GetLittleEndian32(section + 20);
            if (address >= start && static_cast<uint64_t>(address) + length <= static_cast<uint64_t>(start) + rawSize) {
                offset = static_cast<uint64_t>(rawOffset) + (address - start);
                return true;
            }
        }
        return false;
    }

private:
    StdioFile& file;
    uint64_t fileSize;
    uint64_t table;
    uint32_t count;
};

// The resource directory's first entry of the given id (or the first of all,
// for id 0), as its offset within the resources.
bool FindEntry(StdioFile& file, uint64_t fileSize, uint64_t resources, uint32_t resourcesSize, uint32_t directory,
               uint32_t id, uint32_t& entry)
{
    unsigned char header[16];
    if (directory > resourcesSize || !ReadProgramBytes(file, resources + directory, header, sizeof header, fileSize))
        return false;
    const uint32_t entries = GetLittleEndian16(header + 12) + GetLittleEndian16(header + 14);
    for (uint32_t i = 0; i < entries && directory + 16 + 8 * (static_cast<uint64_t>(i) + 1) <= resourcesSize; ++i) {
        unsigned char record[8];
        if (!ReadProgramBytes(file, resources + directory + 16 + 8 * static_cast<uint64_t>(i), record, sizeof record, fileSize))
            return false;
        if (id == 0 || GetLittleEndian32(record) == id) {
            entry = GetLittleEndian32(record + 4);
            return true;
        }
    }
    return false;
}

bool ReadVersionRecord(StdioFile& file, uint64_t fileSize, const SectionMap& sections, uint32_t address,
                       uint32_t size, ProgramVersion& version)
{
    uint64_t resources = 0;
    if (size == 0 || !sections.ToOffset(address, size, resources))
        return false;
    // Type, name, language: the first two name directories (high bit set),
    // the last a data entry.
    constexpr uint32_t kIsDirectory = 0x80000000u;
    uint32_t entry = 0;
    if (!FindEntry(file, fileSize, resources, size, 0, kVersionResource, entry) || !(entry & kIsDirectory) ||
        !FindEntry(file, fileSize, resources, size, entry & ~kIsDirectory, 0, entry) || !(entry & kIsDirectory) ||
        !FindEntry(file, fileSize, resources, size, entry & ~kIsDirectory, 0, entry) || (entry & kIsDirectory))
        return false;
    unsigned char data[8];
    if (entry > size || !ReadProgramBytes(file, resources + entry, data, sizeof data, fileSize))
        return false;
    const uint32_t recordSize = GetLittleEndian32(data + 4);
    uint64_t record = 0;
    unsigned char bytes[kFixedInfoSearch + 16];
    const uint32_t searched = recordSize < sizeof bytes ? recordSize : static_cast<uint32_t>(sizeof bytes);
    if (!sections.ToOffset(GetLittleEndian32(data), searched, record) ||
        !ReadProgramBytes(file, record, bytes, searched, fileSize))
        return false;
    for (uint32_t at = 0; at + 16 <= searched; at += 4) {
        if (GetLittleEndian32(bytes + at) == kFixedInfoSignature) {
            const uint32_t high = GetLittleEndian32(bytes + at + 8);
            const uint32_t low = GetLittleEndian32(bytes + at + 12);
            version.parts[0] = static_cast<uint16_t>(high >> 16);
            version.parts[1] = static_cast<uint16_t>(high);
            version.parts[2] = static_cast<uint16_t>(low >> 16);
            version.parts[3] = static_cast<uint16_t>(low);
            return true;
        }
    }
    return false;
}

}  // namespace

bool ReadProgramVersion(StdioFile& file, uint64_t fileSize, ProgramVersion& version)
{
    ProgramHeaders headers;
    if (!ReadProgramHeaders(file, fileSize, headers))
        return false;
    version.machine = headers.machine;
    uint32_t address = 0;
    uint32_t size = 0;
    if (!ReadDirectoryEntry(file, fileSize, headers, kResourceDirectory, address, size))
        return true;
    const SectionMap sections(file, fileSize, headers.sectionTable, headers.sectionCount);
    version.hasVersion = ReadVersionRecord(file, fileSize, sections, address, size, version);
    return true;
}
