// TestFiles: file bytes through the C runtime, fields through the project's own byte order helpers.
#include "tests/support/TestFiles.h"

#include <cstdio>

#include "base/ByteOrder.h"

bool ReadFileBytes(const std::string& path, std::string& bytes)
{
    bytes.clear();
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    char buffer[32768];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, got);
    const bool isRead = std::ferror(file) == 0;
    std::fclose(file);
    return isRead;
}

std::string ReadFileBytes(const std::string& path)
{
    std::string bytes;
    ReadFileBytes(path, bytes);
    return bytes;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

uint32_t GetField16(const std::string& bytes, size_t at)
{
    return GetLittleEndian16(reinterpret_cast<const unsigned char*>(bytes.substr(at, 2).c_str()));
}

uint32_t GetField32(const std::string& bytes, size_t at)
{
    return GetLittleEndian32(reinterpret_cast<const unsigned char*>(bytes.substr(at, 4).c_str()));
}

void PutField32(std::string& bytes, size_t at, uint32_t value)
{
    unsigned char field[4];
    PutLittleEndian32(field, value);
    bytes.replace(at, 4, reinterpret_cast<const char*>(field), 4);
}

std::string ProgramImage(size_t size, uint32_t tableOffset, uint32_t tableSize)
{
    constexpr uint32_t kPeHeader = 0x80;
    constexpr uint32_t kOptionalHeader = kPeHeader + 24;
    std::string image(size < 0x200 ? 0x200 : size, '\0');
    image[0] = 'M';
    image[1] = 'Z';
    PutField32(image, 0x3C, kPeHeader);
    image.replace(kPeHeader, 4, "PE\0\0", 4);
    PutField32(image, kPeHeader + 4, 0x8664);          // machine x86-64, no sections
    PutField32(image, kPeHeader + 20, 240);            // size of the optional header
    PutField32(image, kOptionalHeader, 0x20B);         // PE32+
    PutField32(image, kOptionalHeader + 108, 16);      // data directories
    PutField32(image, kOptionalHeader + 112 + 4 * 8, tableOffset);
    PutField32(image, kOptionalHeader + 112 + 4 * 8 + 4, tableSize);
    return image;
}

std::string BitmapFile(int width, int height, int bitCount)
{
    const uint32_t rowBytes = (static_cast<uint32_t>(width) * static_cast<uint32_t>(bitCount) + 31) / 32 * 4;
    const uint32_t pixelBytes = rowBytes * static_cast<uint32_t>(height);
    std::string bytes(54, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutField32(bytes, 2, 54 + pixelBytes);
    PutField32(bytes, 10, 54);
    PutField32(bytes, 14, 40);
    PutField32(bytes, 18, static_cast<uint32_t>(width));
    PutField32(bytes, 22, static_cast<uint32_t>(height));
    bytes[26] = 1;
    bytes[28] = static_cast<char>(bitCount);
    for (uint32_t i = 0; i < pixelBytes; ++i)
        bytes.push_back(static_cast<char>(i * 7));
    return bytes;
}
