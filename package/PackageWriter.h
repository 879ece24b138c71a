// PackageWriter: writing ZIP payloads and whole packages, exactly as packages are written.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "package/PackHead.h"
#include "package/PackageTrailer.h"

// Owns one minizip zip handle or none. Entries are deflated at the maximum
// level (general-purpose flag bit 1), version needed 20, made by 0, date and
// time 0, attributes 0, no extra fields, comments or data descriptors.
class ZipWriter {
public:
    ZipWriter() = default;
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;
    ~ZipWriter();

    bool Create(const char* path);
    // Streams sourcePath into a new deflated entry.
    bool AddFile(const char* name, const char* sourcePath);
    // A new entry from memory; deflate false stores it (method 0).
    bool AddBytes(const char* name, const void* data, size_t size, bool deflate = true);
    // Writes the central directory; false when anything failed.
    bool Close();

private:
    bool OpenEntry(const char* name, bool deflate);
    // Ends the entry opened last; its data was delivered raw (already
    // deflated when so opened), so its size and CRC come from the caller.
    bool CloseEntry(bool written, uint64_t size, unsigned long crc);

    void* handle = nullptr;
    bool hasFailed = false;
};

// The entry name of a path pattern as packages are written: the pattern
// without its leading path variable and a separator after it (the pattern
// itself when it has none).
std::string EntryNameForPattern(const std::string& pattern);

// One theme file: where it goes and where it comes from.
struct PackageFile {
    std::string pattern;
    std::string sourcePath;
};

// What `themepack create` packs.
struct PackageRequest {
    std::string stubPath;
    std::string outputPath;
    std::string sideImagePath;    // empty: none
    std::string descriptionPath;  // empty: none
    std::string previewPath;      // empty: none
    std::vector<PackageFile> files;
    // Turns the description file's text into the code page the installer
    // shows it in; false, with error saying why, when it cannot. None: the
    // text is stored as it is.
    std::function<bool(std::string& text, std::string& error)> encodeDescription;
};

// Writes stub, then the payload file, then trailer into outputPath, with
// payloadOffset and payloadLength filled in from the sizes. Writes through a
// temporary file beside outputPath, so a failure never leaves a broken file
// where an older one stood. On failure, error says why in one line.
bool AssemblePackage(const std::string& stubPath, const std::string& payloadPath,
                     const std::string& outputPath, PackageTrailer trailer, std::string& error);

// The whole writer: validates the inputs, deflates the files in order with
// PackHead last, and assembles the package. On failure, error says why in one
// line and nothing is left at outputPath that was not there before.
bool WritePackage(const PackageRequest& request, std::string& error);
