// String: the counted, heap-held 8-bit string used for every path, text and name.
#pragma once

#include <cstdarg>

// Checks printf-style arguments against the standard dialect, which Format
// follows; MinGW's plain "printf" would mean the C runtime's own, and clang
// knows the standard one by that name only.
#if defined(__clang__)
#define PRINTF_FORMAT(formatIndex, firstArgument) __attribute__((format(printf, formatIndex, firstArgument)))
#else
#define PRINTF_FORMAT(formatIndex, firstArgument) __attribute__((format(gnu_printf, formatIndex, firstArgument)))
#endif

// Owns one exactly sized heap block (header with length and capacity, then the
// characters and a NUL), or points at the shared empty block. Copies copy.
class String {
public:
    String();
    String(const String& other);
    explicit String(const char* text);
    virtual ~String();

    String& operator=(const String& other);
    String& operator=(const char* text);

    void Append(const char* text);
    void Append(char c);

    int Length() const { return Header()->length; }
    int Capacity() const { return Header()->capacity; }
    bool IsEmpty() const { return Length() == 0; }
    const char* Text() const { return data; }
    char operator[](int index) const { return data[index]; }

    // Index of the first match at or after start, or -1.
    int Find(const char* text, int start) const;
    // As Find, folding only ASCII A-Z; an empty remainder never matches.
    int FindNoCase(const char* text, int start = 0) const;

    String Left(int count) const;
    String Mid(int first, int count) const;

    void Format(const char* format, ...) PRINTF_FORMAT(2, 3);
    void FormatList(const char* format, va_list arguments);

    // Returns the number of occurrences replaced.
    int ReplaceNoCase(const char* oldText, const char* newText);

    // A buffer of capacity >= minLength; the text and length stay as they were.
    char* ReserveBuffer(int minLength);
    char* ResizeBuffer(int length);
    // length -1 means: up to the first NUL.
    void CommitBuffer(int length);

    // Exchanges the blocks of two Strings; nothing is copied.
    void Swap(String& other);

private:
    struct BlockHeader {
        int length;
        int capacity;
    };

    BlockHeader* Header() const { return reinterpret_cast<BlockHeader*>(data) - 1; }
    bool UsesEmptyBlock() const;
    static char* Allocate(int capacity);
    static char* EmptyData();
    void FreeBlock();
    void AssignLength(const char* source, int count);
    void AppendLength(const char* source, int count);

    char* data;
};

// The process-wide empty String; new StringList elements copy its state.
extern const String EmptyString;
