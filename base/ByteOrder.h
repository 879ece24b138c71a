// ByteOrder: 16- and 32-bit fields of file formats, little-endian (packages, bitmaps) and big-endian (fonts).
#pragma once

#include <cstdint>

inline uint32_t GetLittleEndian16(const unsigned char* bytes)
{
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8;
}

inline uint32_t GetLittleEndian32(const unsigned char* bytes)
{
    return GetLittleEndian16(bytes) | GetLittleEndian16(bytes + 2) << 16;
}

inline void PutLittleEndian32(unsigned char* bytes, uint32_t value)
{
    bytes[0] = static_cast<unsigned char>(value);
    bytes[1] = static_cast<unsigned char>(value >> 8);
    bytes[2] = static_cast<unsigned char>(value >> 16);
    bytes[3] = static_cast<unsigned char>(value >> 24);
}

inline uint16_t GetBigEndian16(const unsigned char* bytes)
{
    return static_cast<uint16_t>(bytes[0] << 8 | bytes[1]);
}

inline uint32_t GetBigEndian32(const unsigned char* bytes)
{
    return static_cast<uint32_t>(GetBigEndian16(bytes)) << 16 | GetBigEndian16(bytes + 2);
}
