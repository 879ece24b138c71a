// ReadFontFaceName: walks the font's table directory and naming table, big-endian.
#include "install/FontFaceName.h"

#include <cstdint>
#include <cstdio>

#include "base/ByteOrder.h"
#include "base/StdioFile.h"

namespace {

constexpr unsigned kMaximumTables = 40;
constexpr uint16_t kMacintoshPlatform = 1;
constexpr uint16_t kFullNameId = 4;

// Reads exactly count bytes at offset, or fails.
bool ReadAt(StdioFile& file, uint64_t offset, void* buffer, size_t count)
{
    if (file.Seek(static_cast<int64_t>(offset), SEEK_SET) != static_cast<int64_t>(offset))
        return false;
    return file.Read(buffer, count) == count;
}

}  // namespace

bool ReadFontFaceName(const char* path, String& name)
{
    StdioFile file;
    if (!file.Open(path, "rb"))
        return false;
    const uint64_t fileSize = static_cast<uint64_t>(file.Seek(0, SEEK_END));

    unsigned char offsetTable[12];
    if (!ReadAt(file, 0, offsetTable, sizeof offsetTable))
        return false;
    const unsigned tableCount = GetBigEndian16(offsetTable + 4);

    // Only the first "name" record is ever looked at.
    uint32_t tableOffset = 0;
    uint32_t tableLength = 0;
    bool found = false;
    for (unsigned i = 0; i < tableCount && i < kMaximumTables && !found; ++i) {
        unsigned char record[16];
        if (!ReadAt(file, 12 + 16 * static_cast<uint64_t>(i), record, sizeof record))
            return false;
        if (record[0] == 'n' && record[1] == 'a' && record[2] == 'm' && record[3] == 'e') {
            tableOffset = GetBigEndian32(record + 8);
            tableLength = GetBigEndian32(record + 12);
            found = true;
        }
    }
    // The naming table must lie inside the file; everything below stays inside it.
    if (!found || static_cast<uint64_t>(tableOffset) + tableLength > fileSize || tableLength < 6)
        return false;

    unsigned char header[6];
    if (!ReadAt(file, tableOffset, header, sizeof header))
        return false;
    const unsigned count = GetBigEndian16(header + 2);
    const unsigned stringOffset = GetBigEndian16(header + 4);

    for (unsigned i = 0; i < count; ++i) {
        const uint64_t at = 6 + 12 * static_cast<uint64_t>(i);
        unsigned char record[12];
        if (at + sizeof record > tableLength || !ReadAt(file, tableOffset + at, record, sizeof record))
            return false;
        if (GetBigEndian16(record) != kMacintoshPlatform || GetBigEndian16(record + 6) != kFullNameId)
            continue;
        const unsigned length = GetBigEndian16(record + 8);
        const uint64_t start = static_cast<uint64_t>(stringOffset) + GetBigEndian16(record + 10);
        if (start + length > tableLength)
            return false;
        String text;
        char* buffer = text.ReserveBuffer(static_cast<int>(length));
        if (!ReadAt(file, tableOffset + start, buffer, length))
            return false;
        buffer[length] = '\0';
        // A zero byte ends the name, as it ends every name the system lists.
        text.CommitBuffer(-1);
        if (text.IsEmpty())
            return false;
        for (int i = 0; i < text.Length(); ++i) {
            const unsigned char c = static_cast<unsigned char>(text[i]);
            if (c < 0x20 || c == 0x7F)
                return false;
        }
        name = text;
        return true;
    }
    return false;
}
