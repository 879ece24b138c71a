// CodePage: the Windows ANSI code page a package's names are stored in, UTF-8, and the conversions between them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "package/FontFaceName.h"

// The length of the well-formed UTF-8 sequence at bytes[0], with its code
// point; 0 when it is malformed: a stray continuation byte, a sequence cut
// short, an overlong form, a surrogate or a value past U+10FFFF.
size_t DecodeUtf8(const unsigned char* bytes, size_t available, uint32_t& codePoint);
void AppendUtf8(std::string& text, uint32_t codePoint);
// True when every byte of text belongs to a well-formed UTF-8 sequence.
bool IsUtf8(const std::string& text);
// The characters of UTF-8 text, each malformed byte becoming U+FFFD.
std::u32string Utf8Characters(const std::string& text);

// What a text becomes: a path is held to more, since the installer splits
// it at bytes that read as '\' or '/'.
enum class TextUse { Text, Path };

// One code page, by its Windows number: 1252 (Western) from its own table,
// exactly as Windows maps it, 65001 as UTF-8, others through the system's
// converter (iconv on Linux, the code page functions on Windows).
class CodePage {
public:
    static constexpr unsigned Western = 1252;
    static constexpr unsigned Utf8 = 65001;

    // False, with error, when the system cannot convert the number's code page.
    bool Select(unsigned number, std::string& error);
    unsigned Number() const { return number; }

    // The characters of bytes; a byte the page leaves undefined becomes
    // U+FFFD. (Windows keeps 1252's five undefined bytes as the code points
    // of their numbers, and so does this.)
    std::u32string Decode(const std::string& bytes) const;
    // False, with error naming the first character the page cannot hold: a
    // name never gets a '?' in its place. For a path also a character whose
    // bytes would read as a separator or a reserved character.
    bool Encode(const std::u32string& text, TextUse use, std::string& bytes, std::string& error) const;

    // This system's text: UTF-8 on Linux, the ANSI code page on Windows.
    static const CodePage& Host();

private:
    unsigned number = Western;
};

// Text from this system (a command line) into page: each character
// converted; on Linux bytes that are no UTF-8 are taken as they are, as
// bytes already in page.
bool EncodeHostText(const std::string& text, const CodePage& page, TextUse use, std::string& bytes,
                    std::string& error);
// The page's bytes as this system shows them; a character it cannot show
// becomes '?'. For display only.
std::string HostText(const std::string& bytes, const CodePage& page);
// The same for a file name: false when a character cannot be shown.
bool HostPath(const std::string& bytes, const CodePage& page, std::string& path);

// How a description file's text is stored: a file that is UTF-8 (a byte
// order mark dropped) is converted into page; any other is taken as bytes
// already in page.
std::function<bool(std::string& text, std::string& error)> DescriptionEncoder(const CodePage& page);

// Font names converted as the installer converts them, into page.
class CodePageFontNames : public FontNameEncoder {
public:
    explicit CodePageFontNames(const CodePage& page) : page(page) {}
    bool Encode(const uint16_t* units, int count, String& name) const override;

private:
    const CodePage& page;
};
