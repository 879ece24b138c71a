// CodePage: Windows-1252's table, UTF-8 and UTF-16 by hand, other code pages through the system.
#include "tools/themepack/CodePage.h"

#include <cstdio>
#include <cstring>
#include <memory>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>

#include <cerrno>
#endif

namespace {

// Windows-1252's bytes 0x80 to 0x9F. The five it leaves undefined (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) keep the code point of their byte, as Windows
// itself converts them.
const uint16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char32_t kReplacement = 0xFFFD;

std::string CharacterName(char32_t codePoint)
{
    std::string shown;
    if (codePoint >= 0x20 && !(codePoint >= 0x7F && codePoint <= 0x9F) && codePoint != kReplacement) {
        shown = "'";
        AppendUtf8(shown, codePoint);
        shown += "' ";
    }
    char number[16];
    std::snprintf(number, sizeof number, "(U+%04X)", static_cast<unsigned>(codePoint));
    return shown + number;
}

// One character in a single-byte page's table, or none.
bool EncodeWestern(char32_t codePoint, std::string& bytes)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        bytes += static_cast<char>(codePoint);
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        if (kWindows1252High[i] == codePoint) {
            bytes += static_cast<char>(0x80 + i);
            return true;
        }
    }
    return false;
}

std::u32string DecodeUtf16(const char16_t* units, size_t count)
{
    std::u32string text;
    for (size_t i = 0; i < count; ++i) {
        const char16_t unit = units[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < count && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            text += static_cast<char32_t>(0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            text += kReplacement;
        } else {
            text += unit;
        }
    }
    return text;
}

#ifdef _WIN32

void AppendUtf16(std::u16string& text, char32_t codePoint)
{
    if (codePoint < 0x10000) {
        text += static_cast<char16_t>(codePoint);
    } else {
        codePoint -= 0x10000;
        text += static_cast<char16_t>(0xD800 + (codePoint >> 10));
        text += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
    }
}

// Converts single characters into one code page.
class SystemEncoder {
public:
    explicit SystemEncoder(unsigned page) : page(page) {}

    bool Encode(char32_t codePoint, std::string& bytes)
    {
        std::u16string units;
        AppendUtf16(units, codePoint);
        char encoded[8];
        BOOL isLossy = FALSE;
        const int length =
            WideCharToMultiByte(page, WC_NO_BEST_FIT_CHARS, reinterpret_cast<LPCWSTR>(units.data()),
                                static_cast<int>(units.size()), encoded, sizeof encoded, nullptr, &isLossy);
        if (length <= 0 || isLossy)
            return false;
        bytes.append(encoded, static_cast<size_t>(length));
        return true;
    }

private:
    unsigned page;
};

std::u32string DecodeSystem(unsigned page, const std::string& bytes)
{
    if (bytes.empty())
        return std::u32string();
    const int count = MultiByteToWideChar(page, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::u16string units(static_cast<size_t>(count > 0 ? count : 0), u'\0');
    if (count > 0)
        MultiByteToWideChar(page, 0, bytes.data(), static_cast<int>(bytes.size()), reinterpret_cast<LPWSTR>(&units[0]),
                            count);
    return DecodeUtf16(units.data(), units.size());
}

bool IsKnownPage(unsigned page)
{
    return IsValidCodePage(page) != FALSE;
}

#else

std::string IconvName(unsigned page)
{
    return "CP" + std::to_string(page);
}

// Owns one iconv descriptor.
class Converter {
public:
    Converter(const char* to, const char* from) : handle(iconv_open(to, from)) {}
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    ~Converter()
    {
        if (IsOpen())
            iconv_close(handle);
    }
    bool IsOpen() const { return handle != reinterpret_cast<iconv_t>(-1); }
    // Converts all of input; false when a byte sequence has no counterpart,
    // with input advanced to it.
    bool Convert(const char*& input, size_t& left, std::string& output)
    {
        char buffer[256];
        while (left > 0) {
            char* in = const_cast<char*>(input);
            char* out = buffer;
            size_t room = sizeof buffer;
            const size_t result = iconv(handle, &in, &left, &out, &room);
            output.append(buffer, static_cast<size_t>(out - buffer));
            input = in;
            if (result == static_cast<size_t>(-1) && errno != E2BIG)
                return false;
        }
        return true;
    }

private:
    iconv_t handle;
};

// Converts single characters into one code page, opened at the first.
class SystemEncoder {
public:
    explicit SystemEncoder(unsigned page) : page(page) {}

    bool Encode(char32_t codePoint, std::string& bytes)
    {
        if (!converter)
            converter.reset(new Converter(IconvName(page).c_str(), "UTF-32LE"));
        const unsigned char units[4] = {
            static_cast<unsigned char>(codePoint), static_cast<unsigned char>(codePoint >> 8),
            static_cast<unsigned char>(codePoint >> 16), static_cast<unsigned char>(codePoint >> 24)};
        const char* input = reinterpret_cast<const char*>(units);
        size_t left = sizeof units;
        std::string encoded;
        if (!converter->IsOpen() || !converter->Convert(input, left, encoded) || encoded.empty())
            return false;
        bytes += encoded;
        return true;
    }

private:
    unsigned page;
    std::unique_ptr<Converter> converter;
};

std::u32string DecodeSystem(unsigned page, const std::string& bytes)
{
    Converter converter("UTF-8", IconvName(page).c_str());
    std::string utf8;
    const char* input = bytes.data();
    size_t left = bytes.size();
    while (converter.IsOpen() && !converter.Convert(input, left, utf8)) {
        // An undefined byte, or a lead byte cut short: one replacement, and on.
        AppendUtf8(utf8, kReplacement);
        ++input;
        --left;
    }
    return Utf8Characters(utf8);
}

bool IsKnownPage(unsigned page)
{
    return Converter("UTF-8", IconvName(page).c_str()).IsOpen();
}

#endif

// A byte below 0x80 in a character that is not ASCII itself, which the
// installer's own path checks would read as that ASCII character.
bool ReadsAsPathCharacter(const std::string& bytes)
{
    for (char c : bytes) {
        if (c != '\0' && std::strchr("\\/:*?\"<>|", c) != nullptr)
            return true;
    }
    return false;
}

}  // namespace

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

void AppendUtf8(std::string& text, uint32_t codePoint)
{
    if (codePoint < 0x80) {
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

std::u32string Utf8Characters(const std::string& source)
{
    std::u32string text;
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(source.data());
    for (size_t i = 0; i < source.size();) {
        uint32_t codePoint = 0;
        const size_t length = DecodeUtf8(bytes + i, source.size() - i, codePoint);
        text += length == 0 ? kReplacement : static_cast<char32_t>(codePoint);
        i += length == 0 ? 1 : length;
    }
    return text;
}

bool IsUtf8(const std::string& text)
{
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text.data());
    for (size_t i = 0; i < text.size();) {
        uint32_t codePoint = 0;
        const size_t length = DecodeUtf8(bytes + i, text.size() - i, codePoint);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

bool CodePage::Select(unsigned page, std::string& error)
{
    if (page != Western && page != Utf8 && !IsKnownPage(page)) {
        error = "code page " + std::to_string(page) + " is not one this system can convert";
        return false;
    }
    number = page;
    return true;
}

std::u32string CodePage::Decode(const std::string& bytes) const
{
    if (number == Utf8)
        return Utf8Characters(bytes);
    if (number != Western)
        return DecodeSystem(number, bytes);
    std::u32string text;
    for (char byte : bytes) {
        const unsigned char c = static_cast<unsigned char>(byte);
        text += c >= 0x80 && c <= 0x9F ? kWindows1252High[c - 0x80] : c;
    }
    return text;
}

bool CodePage::Encode(const std::u32string& text, TextUse use, std::string& bytes, std::string& error) const
{
    std::string encoded;
    SystemEncoder system(number);
    for (char32_t codePoint : text) {
        const size_t start = encoded.size();
        bool isHeld = true;
        // Every ANSI code page keeps ASCII as it is.
        if (codePoint < 0x80)
            encoded += static_cast<char>(codePoint);
        else if (number == Utf8)
            AppendUtf8(encoded, codePoint);
        else if (codePoint == kReplacement)
            isHeld = false;
        else if (number == Western)
            isHeld = EncodeWestern(codePoint, encoded);
        else
            isHeld = system.Encode(codePoint, encoded);
        if (!isHeld) {
            error = CharacterName(codePoint) + " is not in code page " + std::to_string(number);
            return false;
        }
        if (use == TextUse::Path && codePoint >= 0x80 && ReadsAsPathCharacter(encoded.substr(start))) {
            error = CharacterName(codePoint) + " cannot be part of a path in code page " + std::to_string(number) +
                    ": a byte of it reads as a separator or a reserved character";
            return false;
        }
    }
    bytes = encoded;
    return true;
}

const CodePage& CodePage::Host()
{
    static const CodePage host = [] {
        CodePage page;
        std::string ignored;
#ifdef _WIN32
        page.Select(GetACP(), ignored);
#else
        page.Select(Utf8, ignored);
#endif
        return page;
    }();
    return host;
}

bool EncodeHostText(const std::string& text, const CodePage& page, TextUse use, std::string& bytes,
                    std::string& error)
{
    const CodePage& host = CodePage::Host();
    if (host.Number() == CodePage::Utf8 && !IsUtf8(text)) {
        bytes = text;
        return true;
    }
    return page.Encode(host.Decode(text), use, bytes, error);
}

bool HostPath(const std::string& bytes, const CodePage& page, std::string& path)
{
    std::string ignored;
    return CodePage::Host().Encode(page.Decode(bytes), TextUse::Text, path, ignored);
}

std::string HostText(const std::string& bytes, const CodePage& page)
{
    std::string shown;
    std::string ignored;
    for (char32_t codePoint : page.Decode(bytes)) {
        std::string character;
        shown += CodePage::Host().Encode(std::u32string(1, codePoint), TextUse::Text, character, ignored) ? character
                                                                                                            : "?";
    }
    return shown;
}

std::function<bool(std::string& text, std::string& error)> DescriptionEncoder(const CodePage& page)
{
    return [page](std::string& text, std::string& error) {
        if (!IsUtf8(text))
            return true;
        if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
            text.erase(0, 3);
        return page.Encode(Utf8Characters(text), TextUse::Text, text, error);
    };
}

bool CodePageFontNames::Encode(const uint16_t* units, int count, String& name) const
{
    std::string bytes;
    std::string ignored;
    if (count < 0 || !page.Encode(DecodeUtf16(reinterpret_cast<const char16_t*>(units), static_cast<size_t>(count)),
                                  TextUse::Text, bytes, ignored))
        return false;
    name = bytes.c_str();
    return true;
}
