// ProgramHeaders: the DOS header's pointer, the PE signature, the file header and the optional header's directory.
#include "package/ProgramHeaders.h"

#include "base/ByteOrder.h"
#include "base/StdioFile.h"

namespace {

constexpr uint32_t kNewHeaderOffsetField = 0x3C;
constexpr uint32_t kFileHeaderSize = 20;
constexpr uint32_t kOptionalHeader32 = 0x10B;
constexpr uint32_t kOptionalHeader64 = 0x20B;
// Where the count of data directories lies in each optional header, the
// directories following it.
constexpr uint32_t kDirectoryCountField32 = 92;
constexpr uint32_t kDirectoryCountField64 = 108;

}  // namespace

bool ReadProgramBytes(StdioFile& file, uint64_t offset, unsigned char* bytes, size_t count, uint64_t fileSize)
{
    if (offset > fileSize || count > fileSize - offset)
        return false;
    return file.ReadAt(offset, bytes, count);
}

bool ReadProgramHeaders(StdioFile& file, uint64_t fileSize, ProgramHeaders& headers)
{
    unsigned char dos[0x40];
    if (!ReadProgramBytes(file, 0, dos, sizeof dos, fileSize) || dos[0] != 'M' || dos[1] != 'Z')
        return false;
    const uint64_t peHeader = GetLittleEndian32(dos + kNewHeaderOffsetField);
    unsigned char pe[4 + kFileHeaderSize + 2];
    if (!ReadProgramBytes(file, peHeader, pe, sizeof pe, fileSize) || pe[0] != 'P' || pe[1] != 'E' || pe[2] != 0 ||
        pe[3] != 0)
        return false;
    headers.machine = static_cast<uint16_t>(GetLittleEndian16(pe + 4));
    headers.sectionCount = GetLittleEndian16(pe + 4 + 2);
    const uint32_t optionalSize = GetLittleEndian16(pe + 4 + 16);
    const uint64_t optional = peHeader + 4 + kFileHeaderSize;
    headers.sectionTable = optional + optionalSize;
    const uint32_t magic = GetLittleEndian16(pe + 4 + kFileHeaderSize);
    const uint32_t countField = magic == kOptionalHeader32   ? kDirectoryCountField32
                                : magic == kOptionalHeader64 ? kDirectoryCountField64
                                                             : optionalSize;
    headers.directory = optional + countField;
    headers.directoryRoom = optionalSize > countField ? optionalSize - countField : 0;
    return true;
}

bool ReadDirectoryEntry(StdioFile& file, uint64_t fileSize, const ProgramHeaders& headers, uint32_t index,
                        uint32_t& where, uint32_t& size)
{
    // The entry must lie inside the optional header the file declares.
    constexpr uint32_t kLargestIndex = 15;
    unsigned char directory[4 + (kLargestIndex + 1) * 8];
    const uint32_t length = 4 + (index + 1) * 8;
    if (index > kLargestIndex || headers.directoryRoom < length ||
        !ReadProgramBytes(file, headers.directory, directory, length, fileSize) ||
        GetLittleEndian32(directory) <= index)
        return false;
    where = GetLittleEndian32(directory + 4 + index * 8);
    size = GetLittleEndian32(directory + 8 + index * 8);
    return true;
}
