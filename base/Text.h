// Text: comparisons that fold only the ASCII letters A to Z.
#pragma once

// Path variables, entry names and extensions compare this way everywhere,
// whatever the system's code page or locale.
inline char FoldAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}

// True when text begins with word, letters in any case.
bool StartsWithNoCase(const char* text, const char* word);
bool EqualsNoCase(const char* left, const char* right);
// The first position in text where word matches, or null. An empty text never
// matches; an empty word matches at the first position of any other.
const char* SearchNoCase(const char* text, const char* word);
