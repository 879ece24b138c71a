// ProgramHeaders: the DOS and PE headers of a Windows program image and the entries of its data directory.
#pragma once

#include <cstddef>
#include <cstdint>

class StdioFile;

// Reads exactly count bytes at offset of a file of fileSize bytes; false
// when they do not all lie inside it.
bool ReadProgramBytes(StdioFile& file, uint64_t offset, unsigned char* bytes, size_t count, uint64_t fileSize);

// What the headers at the start of a program image say, every field checked
// against the file before it is used.
struct ProgramHeaders {
    uint16_t machine = 0;  // 0x8664 x86-64, 0x014C i386
    uint32_t sectionCount = 0;
    uint64_t sectionTable = 0;  // file offset of the first section header
    uint64_t directory = 0;     // file offset of the data directory's count
    uint32_t directoryRoom = 0;  // bytes of the optional header from there on
};

// False when file does not start with a Windows program.
bool ReadProgramHeaders(StdioFile& file, uint64_t fileSize, ProgramHeaders& headers);

// Data directory entry index (a file offset or an address, as the entry
// is): false when the optional header the file declares does not hold it.
bool ReadDirectoryEntry(StdioFile& file, uint64_t fileSize, const ProgramHeaders& headers, uint32_t index,
                        uint32_t& where, uint32_t& size);
