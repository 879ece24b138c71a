// PackageSources: checks of the bitmaps, description and input files that go into a package.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class StdioFile;

// What the bitmap checks learned of a bitmap file.
struct BitmapFacts {
    int32_t width = 0;
    int32_t height = 0;
    uint32_t bitCount = 0;
};

// True when bytes are a Windows bitmap file the system can load: the "BM"
// file header, a known info-header size, and sizes that fit the data.
// Otherwise problem says what is wrong, in a few words.
bool CheckBitmapFile(const std::string& bytes, BitmapFacts& facts, std::string& problem);

// The description text as the description page needs it: LF, CR LF and a
// lone CR all end a line as CR LF. False, with problem set, when the text
// holds a zero byte, which would cut it short.
bool PrepareDescription(const std::string& raw, std::string& text, std::string& problem);

// The readers of a package's input files. Each error names the file and says
// what is wrong with it in one line.

// Opens the file for reading and makes sure it can be read (a folder opens
// but cannot be read), leaving it at its start; size receives its length.
bool OpenSourceFile(const std::string& path, StdioFile& file, uint64_t& size, std::string& error);
// The stub must be an unsigned program of its own that carries no package
// yet: a package used as a stub would carry its old payload along unseen,
// and a signature must be made over the finished package.
bool CheckStubFile(const std::string& path, std::string& error);
// A whole file that becomes a part of PackHead (at most 4 GB); what names
// the part in the error.
bool ReadPartFile(const std::string& path, const char* what, std::string& bytes, std::string& error);
// A bitmap part, checked with CheckBitmapFile; what names the part.
bool ReadBitmapFile(const std::string& path, const char* what, std::string& bytes, std::string& error);
// The description part, its line ends made CR LF.
bool ReadDescriptionFile(const std::string& path, std::string& text, std::string& error);
