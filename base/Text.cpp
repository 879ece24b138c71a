// Text: ASCII case folding.
#include "base/Text.h"

bool StartsWithNoCase(const char* text, const char* word)
{
    for (; *word != '\0'; ++text, ++word) {
        if (FoldAscii(*text) != FoldAscii(*word))
            return false;
    }
    return true;
}

bool EqualsNoCase(const char* left, const char* right)
{
    for (; *left != '\0' || *right != '\0'; ++left, ++right) {
        if (FoldAscii(*left) != FoldAscii(*right))
            return false;
    }
    return true;
}

const char* SearchNoCase(const char* text, const char* word)
{
    for (const char* start = text; *start != '\0'; ++start) {
        if (StartsWithNoCase(start, word))
            return start;
    }
    return nullptr;
}
