// JsonWriter: JSON text, with ANSI and UTF-8 input turned into escaped UTF-8.
#include "tools/themepack/JsonWriter.h"

#include <cassert>
#include <cinttypes>
#include <cstdio>

#include "tools/themepack/CodePage.h"


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
    for (char32_t codePoint : names.Decode(std::string(bytes, length)))
        AppendCodePoint(codePoint);
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
    for (char32_t codePoint : Utf8Characters(source))
        AppendCodePoint(codePoint);
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
    } else {
        AppendUtf8(text, codePoint);
    }
}
