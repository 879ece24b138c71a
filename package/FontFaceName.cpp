// ReadFontFaceName: walks the font's table directory and naming table, big-endian.
#include "package/FontFaceName.h"

#include <cstdio>

#include "base/ByteOrder.h"
#include "base/StdioFile.h"

namespace {

constexpr unsigned kMaximumTables = 40;
constexpr uint16_t kMacintoshPlatform = 1;
constexpr uint16_t kWindowsPlatform = 3;
constexpr uint16_t kSymbolEncoding = 0;
constexpr uint16_t kUnicodeBmpEncoding = 1;
constexpr uint16_t kUsEnglish = 0x409;
constexpr uint16_t kFullNameId = 4;
// Characters of a Windows full name read at most; real ones have a few dozen.
constexpr uint32_t kMaximumUnits = 512;

// Where a name record's text lies in the naming table.
struct NameText {
    uint32_t start = 0;  // from the table's start
    uint32_t length = 0;
    bool isFound = false;
};

bool IsListable(const String& name)
{
    if (name.IsEmpty())
        return false;
    for (int i = 0; i < name.Length(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (c < 0x20 || c == 0x7F)
            return false;
    }
    return true;
}

// The naming table of one font file, read within its bounds.
class NamingTable {
public:
    explicit NamingTable(StdioFile& file) : file(file) {}

    // False when the file has no naming table inside it.
    bool Find();
    // The Macintosh full name and the Windows one to fall back on.
    bool FindFullNames(NameText& macintosh, NameText& windows);
    bool ReadBytes(const NameText& text, String& name);
    // Up to kMaximumUnits units into units; count receives how many.
    bool ReadUnits(const NameText& text, uint16_t* units, int& count);

private:
    StdioFile& file;
    uint32_t tableOffset = 0;
    uint32_t tableLength = 0;
};

bool NamingTable::Find()
{
    uint64_t fileSize = 0;
    if (!file.Seek(0, SEEK_END, fileSize))
        return false;
    unsigned char offsetTable[12];
    if (!file.ReadAt(0, offsetTable, sizeof offsetTable))
        return false;
    const unsigned tableCount = GetBigEndian16(offsetTable + 4);
    // Only the first "name" record is ever looked at.
    for (unsigned i = 0; i < tableCount && i < kMaximumTables; ++i) {
        unsigned char record[16];
        if (!file.ReadAt(12 + 16 * static_cast<uint64_t>(i), record, sizeof record))
            return false;
        if (record[0] == 'n' && record[1] == 'a' && record[2] == 'm' && record[3] == 'e') {
            tableOffset = GetBigEndian32(record + 8);
            tableLength = GetBigEndian32(record + 12);
            // Everything below stays inside the table, and the table inside the file.
            return static_cast<uint64_t>(tableOffset) + tableLength <= fileSize &&
                   tableLength >= 6;
        }
    }
    return false;
}

bool NamingTable::FindFullNames(NameText& macintosh, NameText& windows)
{
    unsigned char header[6];
    if (!file.ReadAt(tableOffset, header, sizeof header))
        return false;
    const unsigned count = GetBigEndian16(header + 2);
    const unsigned stringOffset = GetBigEndian16(header + 4);
    bool isWindowsEnglish = false;
    for (unsigned i = 0; i < count && !(macintosh.isFound && isWindowsEnglish); ++i) {
        const uint64_t at = 6 + 12 * static_cast<uint64_t>(i);
        unsigned char record[12];
        // A record cut short ends the search; what was found before it stands.
        if (at + sizeof record > tableLength || !file.ReadAt(tableOffset + at, record, sizeof record))
            break;
        const uint16_t platform = GetBigEndian16(record);
        const uint16_t encoding = GetBigEndian16(record + 2);
        if (GetBigEndian16(record + 6) != kFullNameId)
            continue;
        NameText text;
        text.start = stringOffset + GetBigEndian16(record + 10);
        text.length = GetBigEndian16(record + 8);
        text.isFound = true;
        if (platform == kMacintoshPlatform && !macintosh.isFound) {
            macintosh = text;
        } else if (platform == kWindowsPlatform && (encoding == kUnicodeBmpEncoding || encoding == kSymbolEncoding) &&
                   !isWindowsEnglish) {
            isWindowsEnglish = GetBigEndian16(record + 4) == kUsEnglish;
            if (isWindowsEnglish || !windows.isFound)
                windows = text;
        }
    }
    return true;
}

bool NamingTable::ReadBytes(const NameText& text, String& name)
{
    if (static_cast<uint64_t>(text.start) + text.length > tableLength)
        return false;
    char* buffer = name.ReserveBuffer(static_cast<int>(text.length));
    if (!file.ReadAt(static_cast<uint64_t>(tableOffset) + text.start, buffer, text.length))
        return false;
    buffer[text.length] = '\0';
    // A zero byte ends the name, as it ends every name the system lists.
    name.CommitBuffer(-1);
    return true;
}

bool NamingTable::ReadUnits(const NameText& text, uint16_t* units, int& count)
{
    if (static_cast<uint64_t>(text.start) + text.length > tableLength || text.length > 2 * kMaximumUnits)
        return false;
    unsigned char bytes[2 * kMaximumUnits];
    if (!file.ReadAt(static_cast<uint64_t>(tableOffset) + text.start, bytes, text.length))
        return false;
    // Big-endian UTF-16; an odd last byte is no character. A zero ends the name.
    count = 0;
    for (uint32_t i = 0; i + 1 < text.length; i += 2) {
        const uint16_t unit = GetBigEndian16(bytes + i);
        if (unit == 0)
            break;
        units[count++] = unit;
    }
    return true;
}

}  // namespace

bool ReadFontFaceName(const char* path, const FontNameEncoder& encoder, String& name)
{
    StdioFile file;
    if (!file.Open(path, "rb"))
        return false;
    NamingTable table(file);
    NameText macintosh;
    NameText windows;
    if (!table.Find() || !table.FindFullNames(macintosh, windows))
        return false;
    String text;
    if (macintosh.isFound && table.ReadBytes(macintosh, text) && IsListable(text)) {
        name = text;
        return true;
    }
    uint16_t units[kMaximumUnits];
    int count = 0;
    if (windows.isFound && table.ReadUnits(windows, units, count) && encoder.Encode(units, count, text) &&
        IsListable(text)) {
        name = text;
        return true;
    }
    return false;
}
