// EncodePackHead: the header entry of a package's archive, for writers.
#pragma once

#include <string>
#include <vector>

// The pieces of PackHead that a writer provides; bitmaps are whole files.
struct PackHeadParts {
    bool hasSideImage = false;
    std::string sideImage;
    bool hasDescription = false;
    std::string description;
    bool hasPreview = false;
    std::string preview;
    std::vector<std::string> patterns;
};

// The PackHead entry exactly as packages are written, entrySize included.
std::vector<unsigned char> EncodePackHead(const PackHeadParts& parts);
