// ReadProgramVersion: the file version and machine a Windows program image declares.
#pragma once

#include <cstdint>

class StdioFile;

// What a program image says of itself.
struct ProgramVersion {
    uint16_t machine = 0;  // 0x8664 x86-64, 0x014C i386
    bool hasVersion = false;
    uint16_t parts[4] = {};  // major, minor, patch, build from its version record
};

// Reads the PE headers at the start of file (fileSize bytes) and, when the
// image carries a version record among its resources, the file version in
// it. False when the file starts with no Windows program. Every offset, size
// and count is checked against the file before it is used.
bool ReadProgramVersion(StdioFile& file, uint64_t fileSize, ProgramVersion& version);
