// JsonWriter: JSON text, with Windows-1252 and UTF-8 input turned into escaped UTF-8.
#include "tools/themepack/JsonWriter.h"

#include <cassert>
#include <cinttypes>
#include <cstdio>

namespace {

// Windows-1252's bytes 0x80 to 0x9F. The five it leaves undefined (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) keep the code point of their byte, as Windows
// itself converts them.
const uint16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr uint32_t kReplacement = 0xFFFD;

// The length of the well-formed UTF-8 sequence at bytes[0], with its code
// point; 0 when it is malformed: a stray continuation byte, a sequence cut
// short, an overlong form, a surrogate or a value past U+10FFFF.
size_t DecodeUtf8(const unsigned char* bytes, size_t available, uint32_t& codePoint)
{
    const unsigned char lead = bytes[0];
    size_t length = 0;
    uint32_t minimum = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        minimum = 0x80;
        codePoint = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        minimum = 0x800;
        codePoint = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        minimum = 0x10000;
        codePoint = lead & 0x07u;
    } else {
        return 0;
    }
    if (available < length)
        return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((bytes[i] & 0xC0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (bytes[i] & 0x3Fu);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;
    return length;
}

}  // namespace

void JsonWriter::BeginObject()
{
    Open('{');
}

void JsonWriter::EndObject()
{
    Close('}');
}

void JsonWriter::BeginArray()
{
    Open('[');
}

void JsonWriter::EndArray()
{
    Close(']');
}

void JsonWriter::Key(const char* name)
{
    assert(!levels.empty() && levels.back().isObject && !hasKey);
    if (levels.back().isFilled)
        text += ',';
    levels.back().isFilled = true;
    text += '"';
    text += name;
    text += "\":";
    hasKey = true;
}

void JsonWriter::AnsiString(const char* bytes, size_t length)
{
    BeginValue();
    text += '"';
    for (size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        AppendCodePoint(c >= 0x80 && c <= 0x9F ? kWindows1252High[c - 0x80] : c);
    }
    text += '"';
}

void JsonWriter::AnsiString(const std::string& bytes)
{
    AnsiString(bytes.data(), bytes.size());
}

void JsonWriter::Utf8String(const std::string& source)
{
    BeginValue();
    text += '"';
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(source.data());
    for (size_t i = 0; i < source.size();) {
        uint32_t codePoint = 0;
        const size_t length = DecodeUtf8(bytes + i, source.size() - i, codePoint);
        AppendCodePoint(length == 0 ? kReplacement : codePoint);
        i += length == 0 ? 1 : length;
    }
    text += '"';
}

void JsonWriter::Signed(int64_t value)
{
    BeginValue();
    text += std::to_string(value);
}

void JsonWriter::Unsigned(uint64_t value)
{
    BeginValue();
    text += std::to_string(value);
}

void JsonWriter::Boolean(bool value)
{
    BeginValue();
    text += value ? "true" : "false";
}

void JsonWriter::Null()
{
    BeginValue();
    text += "null";
}

// A value in an array needs its comma; in an object the key wrote it.
void JsonWriter::BeginValue()
{
    if (hasKey) {
        hasKey = false;
        return;
    }
    // Only the first value may stand outside an array.
    assert(levels.empty() ? text.empty() : !levels.back().isObject);
    if (!levels.empty()) {
        if (levels.back().isFilled)
            text += ',';
        levels.back().isFilled = true;
    }
}

void JsonWriter::Open(char bracket)
{
    BeginValue();
    text += bracket;
    levels.push_back(Level{bracket == '{', false});
}

void JsonWriter::Close(char bracket)
{
    assert(!levels.empty() && levels.back().isObject == (bracket == '}') && !hasKey);
    levels.pop_back();
    text += bracket;
}

// Quotes, backslashes and the C0 and C1 control characters (and DEL) are
// escaped, so that neither a parser nor a terminal showing the document
// takes a name for anything but text.
void JsonWriter::AppendCodePoint(uint32_t codePoint)
{
    if (codePoint == '"' || codePoint == '\\') {
        text += '\\';
        text += static_cast<char>(codePoint);
    } else if (codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F)) {
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\u%04" PRIx32, codePoint);
        text += escape;
    } else if (codePoint < 0x80) {
        text += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        text += static_cast<char>(0xC0 | (codePoint >> 6));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        text += static_cast<char>(0xE0 | (codePoint >> 12));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (codePoint >> 18));
        text += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}
