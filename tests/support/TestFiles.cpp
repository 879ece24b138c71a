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
