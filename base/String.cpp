// String: exact-fit block management, searches, formatting and replacement.
#include "base/String.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "base/Text.h"

namespace {

#ifdef _WIN32
// A formatted text longer than this is not made: lengths are ints.
constexpr size_t kLargestFormatted = 1u << 30;
#endif

// The shared empty block: length 0, capacity 0, an empty text. Never freed,
// never changed.
struct EmptyBlock {
    int length;
    int capacity;
    char text[4];
};
EmptyBlock emptyBlock = {0, 0, {0, 0, 0, 0}};

}  // namespace

const String EmptyString;

String::String() : data(EmptyData()) {}

String::String(const String& other) : data(EmptyData())
{
    *this = other;
}

String::String(const char* text) : data(EmptyData())
{
    *this = text;
}

String::~String()
{
    FreeBlock();
}

char* String::EmptyData()
{
    return emptyBlock.text;
}

bool String::UsesEmptyBlock() const
{
    return data == emptyBlock.text;
}

char* String::Allocate(int capacity)
{
    if (capacity <= 0)
        return EmptyData();
    void* block = std::malloc(sizeof(BlockHeader) + static_cast<size_t>(capacity) + 1);
    if (block == nullptr)
        std::abort();  // the design assumes allocation succeeds
    BlockHeader* header = static_cast<BlockHeader*>(block);
    header->length = capacity;
    header->capacity = capacity;
    char* text = reinterpret_cast<char*>(header + 1);
    text[capacity] = '\0';
    return text;
}

void String::FreeBlock()
{
    if (!UsesEmptyBlock())
        std::free(Header());
    data = EmptyData();
}

String& String::operator=(const String& other)
{
    if (data != other.data)
        AssignLength(other.data, other.Length());
    return *this;
}

String& String::operator=(const char* text)
{
    if (text == nullptr)
        text = "";
    AssignLength(text, static_cast<int>(std::strlen(text)));
    return *this;
}

void String::AssignLength(const char* source, int count)
{
    if (Capacity() < count) {
        FreeBlock();
        data = Allocate(count);
    }
    if (UsesEmptyBlock())
        return;  // count is 0 here
    std::memmove(data, source, static_cast<size_t>(count));
    Header()->length = count;
    data[count] = '\0';
}

void String::Append(const char* text)
{
    if (text != nullptr)
        AppendLength(text, static_cast<int>(std::strlen(text)));
}

void String::Append(char c)
{
    AppendLength(&c, 1);
}

void String::AppendLength(const char* source, int count)
{
    if (count <= 0)
        return;
    const int length = Length();
    if (Capacity() < length + count) {
        // Build the new block before freeing the old one: source may lie in it.
        char* grown = Allocate(length + count);
        std::memcpy(grown, data, static_cast<size_t>(length));
        std::memcpy(grown + length, source, static_cast<size_t>(count));
        FreeBlock();
        data = grown;
        return;
    }
    std::memmove(data + length, source, static_cast<size_t>(count));
    Header()->length = length + count;
    data[length + count] = '\0';
}

int String::Find(const char* text, int start) const
{
    if (start > Length())
        return -1;
    const char* match = std::strstr(data + start, text);
    return match == nullptr ? -1 : static_cast<int>(match - data);
}

int String::FindNoCase(const char* text, int start) const
{
    if (start > Length())
        return -1;
    const char* match = SearchNoCase(data + start, text);
    return match == nullptr ? -1 : static_cast<int>(match - data);
}

String String::Left(int count) const
{
    if (count < 0)
        count = 0;
    if (count >= Length())
        return *this;
    String result;
    result.AssignLength(data, count);
    return result;
}

String String::Mid(int first, int count) const
{
    const int length = Length();
    if (first < 0)
        first = 0;
    if (count < 0)
        count = 0;
    if (first > length)
        count = 0;
    else if (count > length - first)
        count = length - first;
    if (first == 0 && count == length)
        return *this;
    String result;
    result.AssignLength(data + (count > 0 ? first : 0), count);
    return result;
}

void String::Format(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    FormatList(format, arguments);
    va_end(arguments);
}

void String::FormatList(const char* format, va_list arguments)
{
#ifdef _WIN32
    // The system C runtime's own formatter: the standard name would link a
    // second, much larger one into the installer. It answers -1 when the
    // text does not fit, so the scratch buffer grows until it does.
    for (size_t size = 256; size <= kLargestFormatted; size *= 2) {
        const std::unique_ptr<char[]> scratch(new char[size]);
        va_list attempt;
        va_copy(attempt, arguments);
        const int written = _vsnprintf(scratch.get(), size, format, attempt);
        va_end(attempt);
        if (written == 0)
            break;
        if (written > 0 && static_cast<size_t>(written) < size) {
            char* formatted = Allocate(written);
            std::memcpy(formatted, scratch.get(), static_cast<size_t>(written) + 1);
            FreeBlock();
            data = formatted;
            CommitBuffer(-1);
            return;
        }
    }
    AssignLength("", 0);
#else
    va_list measuring;
    va_copy(measuring, arguments);
    const int needed = std::vsnprintf(nullptr, 0, format, measuring);
    va_end(measuring);
    if (needed <= 0) {
        AssignLength("", 0);
        return;
    }
    // Format into a fresh block: an argument may point into our own text.
    char* formatted = Allocate(needed);
    std::vsnprintf(formatted, static_cast<size_t>(needed) + 1, format, arguments);
    FreeBlock();
    data = formatted;
    CommitBuffer(-1);
#endif
}

int String::ReplaceNoCase(const char* oldText, const char* newText)
{
    if (oldText == nullptr || *oldText == '\0')
        return 0;
    // Either text may point into our own block, which the replacement moves.
    const String pattern(oldText);
    const String replacement(newText);
    oldText = pattern.Text();
    newText = replacement.Text();
    const int oldLength = static_cast<int>(std::strlen(oldText));
    const int newLength = static_cast<int>(std::strlen(newText));

    // Counting pass: the stored characters are a sequence of NUL-separated
    // pieces; matches within a piece do not overlap.
    int count = 0;
    for (int position = 0; position < Length();) {
        const char* match = SearchNoCase(data + position, oldText);
        if (match != nullptr) {
            ++count;
            position = static_cast<int>(match - data) + oldLength;
        } else {
            position += static_cast<int>(std::strlen(data + position)) + 1;
        }
    }
    if (count == 0)
        return 0;

    const int finalLength = Length() + (newLength - oldLength) * count;
    if (Capacity() < finalLength) {
        char* grown = Allocate(finalLength);
        std::memcpy(grown, data, static_cast<size_t>(Length()) + 1);
        const int length = Length();
        FreeBlock();
        data = grown;
        Header()->length = length;
    }

    // Replacing pass: resume after each inserted text, so it is never searched.
    int end = Length();
    for (int position = 0, done = 0; position < end && done < count;) {
        const char* match = SearchNoCase(data + position, oldText);
        if (match == nullptr) {
            position += static_cast<int>(std::strlen(data + position)) + 1;
            continue;
        }
        const int at = static_cast<int>(match - data);
        const int rest = end - (at + oldLength);
        std::memmove(data + at + newLength, data + at + oldLength, static_cast<size_t>(rest));
        std::memcpy(data + at, newText, static_cast<size_t>(newLength));
        end += newLength - oldLength;
        data[end] = '\0';
        position = at + newLength;
        ++done;
    }
    Header()->length = finalLength;
    data[finalLength] = '\0';
    return count;
}

char* String::ReserveBuffer(int minLength)
{
    if (Capacity() >= minLength)
        return data;
    const int length = Length();
    char* grown = Allocate(minLength);
    std::memcpy(grown, data, static_cast<size_t>(length) + 1);
    FreeBlock();
    data = grown;
    Header()->length = length;
    return data;
}

char* String::ResizeBuffer(int length)
{
    ReserveBuffer(length);
    CommitBuffer(length);
    return data;
}

void String::CommitBuffer(int length)
{
    if (length < 0) {
        const void* nul = std::memchr(data, '\0', static_cast<size_t>(Capacity()));
        length = nul == nullptr ? Capacity() : static_cast<int>(static_cast<const char*>(nul) - data);
    }
    if (UsesEmptyBlock())
        return;  // length is 0 here
    Header()->length = length;
    data[length] = '\0';
}

void String::Swap(String& other)
{
    char* mine = data;
    data = other.data;
    other.data = mine;
}
