// ReadFontFaceName on built font files: the name it finds, and damaged files it must not misread.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#ifndef _WIN32
#include <filesystem>
#endif

#include "package/FontFaceName.h"

namespace {

void Put16(std::string& out, unsigned value)
{
    out += static_cast<char>(value >> 8);
    out += static_cast<char>(value);
}

void Put32(std::string& out, unsigned long value)
{
    Put16(out, static_cast<unsigned>(value >> 16));
    Put16(out, static_cast<unsigned>(value & 0xFFFF));
}

struct NameRecord {
    unsigned platform;
    unsigned nameId;
    std::string text;
    unsigned language = 0;
    unsigned encoding = 1;
};

// A Windows name record's text: UTF-16, big-endian.
std::string Utf16(const std::u16string& text)
{
    std::string bytes;
    for (char16_t unit : text)
        Put16(bytes, unit);
    return bytes;
}

// ISO 8859-1, whose 256 characters are the first 256 of Unicode.
class Latin1Encoder : public FontNameEncoder {
public:
    bool Encode(const uint16_t* units, int count, String& name) const override
    {
        std::string bytes;
        for (int i = 0; i < count; ++i) {
            if (units[i] > 0xFF)
                return false;
            bytes += static_cast<char>(units[i]);
        }
        name = bytes.c_str();
        return true;
    }
};

// A naming table holding the records, strings stored after them.
std::string NameTable(const std::vector<NameRecord>& records)
{
    std::string table;
    Put16(table, 0);
    Put16(table, static_cast<unsigned>(records.size()));
    Put16(table, static_cast<unsigned>(6 + 12 * records.size()));
    std::string strings;
    for (const NameRecord& record : records) {
        Put16(table, record.platform);
        Put16(table, record.platform == 3 ? record.encoding : 0);
        Put16(table, record.language);
        Put16(table, record.nameId);
        Put16(table, static_cast<unsigned>(record.text.size()));
        Put16(table, static_cast<unsigned>(strings.size()));
        strings += record.text;
    }
    return table + strings;
}

struct Table {
    std::string tag;
    std::string data;
};

// A font file: offset table, table records, then the tables in order.
std::string FontFile(const std::vector<Table>& tables)
{
    std::string file;
    Put32(file, 0x00010000);
    Put16(file, static_cast<unsigned>(tables.size()));
    Put16(file, 0);
    Put16(file, 0);
    Put16(file, 0);
    unsigned long offset = 12 + 16 * tables.size();
    for (const Table& table : tables) {
        file += table.tag;
        Put32(file, 0);
        Put32(file, offset);
        Put32(file, table.data.size());
        offset += table.data.size();
    }
    for (const Table& table : tables)
        file += table.data;
    return file;
}

std::string WriteTemporary(const std::string& bytes, int index)
{
    const std::string path = ::testing::TempDir() + "vlfont" + std::to_string(index) + ".ttf";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file != nullptr) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    return path;
}

TEST(FontFaceName, FindsTheFullNameAndRejectsDamagedFiles)
{
    const std::string w = Utf16(u"W");
    const std::string good = FontFile({{"head", std::string(54, '\0')},
                                       {"name", NameTable({{3, 4, w}, {1, 1, "Family"}, {1, 4, "Blue Sans"}})}});
    // Offsets of the name table record's fields in the good file.
    const size_t nameRecord = 12 + 16;
    std::string offsetBeyondFile = good;
    offsetBeyondFile[nameRecord + 8] = '\x7F';
    std::string lengthBeyondFile = good;
    lengthBeyondFile[nameRecord + 12] = '\x01';
    std::string truncated = good.substr(0, good.size() - 3);
    std::string hugeCount = good;
    const size_t nameTable = 12 + 32 + 54;
    hugeCount[nameTable + 2] = '\xFF';
    hugeCount[nameTable + 3] = '\xFF';
    std::string stringBeyondTable = good;
    stringBeyondTable[nameTable + 4] = '\x7F';
    std::vector<Table> manyTables(40, Table{"pad ", "x"});
    manyTables.push_back({"name", NameTable({{1, 4, "Late"}})});

    struct Row {
        const char* what;
        std::string bytes;
        bool found;
        const char* name;
    };
    const Row rows[] = {
        {"sound file", good, true, "Blue Sans"},
        // Fonts published today often carry Windows names only.
        {"only a Windows name", FontFile({{"name", NameTable({{3, 4, Utf16(u"Caf\u00e9 Sans")}})}}), true,
         "Caf\xE9 Sans"},
        {"US English before the first Windows name",
         FontFile({{"name", NameTable({{3, 4, Utf16(u"Erste"), 0x407}, {3, 4, Utf16(u"English"), 0x409}})}}), true,
         "English"},
        {"the first Windows name without US English",
         FontFile({{"name", NameTable({{3, 4, Utf16(u"Erste"), 0x407}, {3, 4, Utf16(u"Zweite"), 0x40C}})}}), true,
         "Erste"},
        {"symbol encoding", FontFile({{"name", NameTable({{3, 4, Utf16(u"Symbols"), 0x409, 0}})}}), true, "Symbols"},
        {"other Windows encodings are passed over",
         FontFile({{"name", NameTable({{3, 4, Utf16(u"Big"), 0x409, 10}})}}), false, ""},
        {"unusable Macintosh name", FontFile({{"name", NameTable({{1, 4, "Blue\nSans"}, {3, 4, w}})}}), true, "W"},
        {"a character the code page lacks", FontFile({{"name", NameTable({{3, 4, Utf16(u"\u03a9 Sans")}})}}), false,
         ""},
        {"Windows name of more than 512 characters",
         FontFile({{"name", NameTable({{3, 4, Utf16(std::u16string(513, u'x'))}})}}), false, ""},
        {"odd byte and zero end the Windows name",
         FontFile({{"name", NameTable({{3, 4, Utf16(u"Blue") + std::string("\0\0\0X\0", 5)}})}}), true, "Blue"},
        {"no tables", FontFile({}), false, ""},
        {"no name table", FontFile({{"head", "x"}}), false, ""},
        {"only the first name table counts",
         FontFile({{"name", NameTable({{1, 1, "Family"}})}, {"name", NameTable({{1, 4, "Second"}})}}), false, ""},
        {"name table beyond the file", offsetBeyondFile, false, ""},
        {"name table longer than the file", lengthBeyondFile, false, ""},
        {"file cut short", truncated, false, ""},
        {"more name records than the table holds", hugeCount, true, "Blue Sans"},
        {"strings beyond the table", stringBeyondTable, false, ""},
        {"name table after the first 40 records", FontFile(manyTables), false, ""},
        {"shorter than the offset table", std::string("\0\1\0", 3), false, ""},
        // Names that could not stand in the system's font list.
        {"name ends at a zero byte", FontFile({{"name", NameTable({{1, 4, std::string("Arial\0 Evil", 11)}})}}), true,
         "Arial"},
        {"empty name", FontFile({{"name", NameTable({{1, 4, ""}})}}), false, ""},
        {"name starting with a zero byte", FontFile({{"name", NameTable({{1, 4, std::string("\0x", 2)}})}}), false,
         ""},
        {"name with a line feed", FontFile({{"name", NameTable({{1, 4, "Blue\nSans"}})}}), false, ""},
    };
    const Latin1Encoder encoder;
    int index = 0;
    for (const Row& row : rows) {
        const std::string path = WriteTemporary(row.bytes, index++);
        String name("unchanged");
        EXPECT_EQ(ReadFontFaceName(path.c_str(), encoder, name), row.found) << row.what;
        EXPECT_STREQ(name.Text(), row.found ? row.name : "unchanged") << row.what;
        std::remove(path.c_str());
    }
    String name;
    EXPECT_FALSE(ReadFontFaceName("no-such-font.ttf", encoder, name));
}

#ifndef _WIN32
// The full names fontconfig reads from a font, US English first; a font
// whose Macintosh name differs from its Windows one has both.
std::vector<std::string> FontconfigFullNames(const std::string& path)
{
    std::vector<std::string> names;
    FILE* query = popen(("fc-query -f '%{fullname}' '" + path + "'").c_str(), "r");
    if (query == nullptr)
        return names;
    std::string text;
    char buffer[256];
    for (size_t read; (read = std::fread(buffer, 1, sizeof buffer, query)) > 0;)
        text.append(buffer, read);
    pclose(query);
    for (size_t start = 0; start <= text.size();) {
        const size_t comma = std::min(text.find(',', start), text.size());
        names.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    return names;
}

// Fonts as they are published today, many without a Macintosh name: each is
// named by its Windows name where it has no other, as the system names it.
TEST(FontFaceName, PublishedFontsAreNamedAsTheSystemNamesThem)
{
    const Latin1Encoder encoder;
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(PUBLISHED_FONTS_DIR)) {
        const std::string path = entry.path().string();
        const std::string extension = entry.path().extension().string();
        if (extension != ".ttf" && extension != ".otf")
            continue;
        ++count;
        const std::vector<std::string> names = FontconfigFullNames(path);
        String name;
        ASSERT_TRUE(ReadFontFaceName(path.c_str(), encoder, name)) << path;
        if (names.size() == 1)
            EXPECT_EQ(name.Text(), names[0]) << path;
        else
            EXPECT_NE(std::find(names.begin(), names.end(), name.Text()), names.end()) << path << " has the names "
                                                                                       << testing::PrintToString(names);
    }
    EXPECT_GE(count, 30) << "scripts/setup unpacks published fonts into " << PUBLISHED_FONTS_DIR;
}
#endif

}  // namespace
