// ProgramSignature: the security entry of the data directory.
#include "package/ProgramSignature.h"

#include "package/ProgramHeaders.h"

namespace {

constexpr uint32_t kSecurityDirectory = 4;

}  // namespace

bool FindCertificateTable(StdioFile& file, uint64_t fileSize, CertificateTable& table)
{
    ProgramHeaders headers;
    uint32_t offset = 0;
    uint32_t size = 0;
    // The security entry holds a file offset, not an address in memory.
    if (!ReadProgramHeaders(file, fileSize, headers) ||
        !ReadDirectoryEntry(file, fileSize, headers, kSecurityDirectory, offset, size) || size == 0 ||
        static_cast<uint64_t>(offset) + size != fileSize)
        return false;
    table.offset = offset;
    table.size = size;
    return true;
}
