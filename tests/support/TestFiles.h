// TestFiles: whole-file reads and writes, little-endian fields and bitmap files that tests build their inputs from.
#pragma once

#include <cstdint>
#include <string>

// False, with bytes empty, when the file cannot be read.
bool ReadFileBytes(const std::string& path, std::string& bytes);
// The file's bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);

uint32_t GetField16(const std::string& bytes, size_t at);
uint32_t GetField32(const std::string& bytes, size_t at);
void PutField32(std::string& bytes, size_t at, uint32_t value);

// The headers of a 64-bit Windows program, padded to size bytes, whose
// security directory names a certificate table at offset of tableSize bytes
// (0: none). Enough for a signature's bookkeeping; it does not run.
std::string ProgramImage(size_t size, uint32_t tableOffset = 0, uint32_t tableSize = 0);

// A complete bottom-up Windows bitmap file with a Windows 3 info header, no
// palette, and patterned pixels.
std::string BitmapFile(int width, int height, int bitCount = 24);
