// ProgramSignature: the DOS header, the PE headers and the security entry of the data directory.
#include "package/ProgramSignature.h"

#include <cstdio>

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
constexpr uint32_t kSecurityDirectory = 4;

bool ReadAt(StdioFile& file, uint64_t offset, unsigned char* bytes, size_t count, uint64_t fileSize)
{
    if (offset > fileSize || count > fileSize - offset)
        return false;
    return file.Seek(static_cast<int64_t>(offset), SEEK_SET) && file.Read(bytes, count) == count;
}

}  // namespace

bool FindCertificateTable(StdioFile& file, uint64_t fileSize, CertificateTable& table)
{
    unsigned char dos[0x40];
    if (!ReadAt(file, 0, dos, sizeof dos, fileSize) || dos[0] != 'M' || dos[1] != 'Z')
        return false;
    const uint64_t peHeader = GetLittleEndian32(dos + kNewHeaderOffsetField);
    unsigned char headers[4 + kFileHeaderSize + 2];
    if (!ReadAt(file, peHeader, headers, sizeof headers, fileSize) || headers[0] != 'P' || headers[1] != 'E' ||
        headers[2] != 0 || headers[3] != 0)
        return false;
    const uint32_t optionalSize = GetLittleEndian16(headers + 4 + 16);
    const uint64_t optional = peHeader + 4 + kFileHeaderSize;
    const uint32_t magic = GetLittleEndian16(headers + 4 + kFileHeaderSize);
    uint32_t countField = 0;
    if (magic == kOptionalHeader32)
        countField = kDirectoryCountField32;
    else if (magic == kOptionalHeader64)
        countField = kDirectoryCountField64;
    else
        return false;
    // The security entry must lie inside the optional header the file declares.
    const uint32_t entryEnd = countField + 4 + (kSecurityDirectory + 1) * 8;
    if (optionalSize < entryEnd)
        return false;
    unsigned char directory[4 + (kSecurityDirectory + 1) * 8];
    if (!ReadAt(file, optional + countField, directory, sizeof directory, fileSize))
        return false;
    if (GetLittleEndian32(directory) <= kSecurityDirectory)
        return false;
    // The security entry holds a file offset, not an address in memory.
    const unsigned char* security = directory + 4 + kSecurityDirectory * 8;
    const uint64_t offset = GetLittleEndian32(security);
    const uint32_t size = GetLittleEndian32(security + 4);
    if (size == 0 || offset + size != fileSize)
        return false;
    table.offset = offset;
    table.size = size;
    return true;
}
