// JsonWriter: builds one JSON document in memory, escaping every string so that hostile names keep it valid.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CodePage;

// Owns the document's text. Values go into the innermost open object or
// array; inside an object each value follows its Key. Misuse (a value
// without a key, an unbalanced End) is a programmer mistake, asserted.
class JsonWriter {
public:
    // names is the code page of the package's texts.
    explicit JsonWriter(const CodePage& names) : names(names) {}

    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    // Names the next value of the current object; name is plain ASCII.
    void Key(const char* name);

    // Text held in a package: Windows ANSI bytes in the names' code page.
    void AnsiString(const char* bytes, size_t length);
    void AnsiString(const std::string& bytes);
    // The tool's own text and the command line: UTF-8, each byte of a
    // malformed sequence becoming U+FFFD.
    void Utf8String(const std::string& text);
    void Signed(int64_t value);
    void Unsigned(uint64_t value);
    void Boolean(bool value);
    void Null();

    const std::string& Text() const { return text; }

private:
    void BeginValue();
    void Open(char bracket);
    void Close(char bracket);
    void AppendCodePoint(uint32_t codePoint);

    const CodePage& names;
    std::string text;
    struct Level {
        bool isObject;
        bool isFilled;  // a member has been written
    };
    std::vector<Level> levels;
    bool hasKey = false;
};
