// TextLines: a text's lines, as an editor shows them.
#pragma once

#include <string>
#include <vector>

// The lines of text, split at each LF; a CR before the LF is dropped, and a
// final LF starts no further line.
inline std::vector<std::string> TextLines(const std::string& text)
{
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        size_t length = end - start;
        if (length > 0 && text[start + length - 1] == '\r')
            --length;
        lines.push_back(text.substr(start, length));
        start = end + 1;
    }
    return lines;
}
