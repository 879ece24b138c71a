// PackageFileReader: the author's texts that become a package request: a PATTERN=FILE, and the package file.
#pragma once

#include <string>

#include "package/PackageWriter.h"

// PATTERN=FILE, split at the first '='. Destinations are Windows paths, so a
// '/' typed in a pattern becomes the backslash the installer splits folders at.
// False, with error saying why, when either side is missing.
bool ParseFileArgument(const std::string& argument, PackageFile& file, std::string& error);

class CodePage;

// A [Package] value the command reads itself, as written, and its line;
// empty text when not given.
struct KeyValue {
    std::string text;
    int line = 0;
};

// What a package file says, its patterns still as the file holds them.
struct PackageFileText {
    PackageRequest request;
    KeyValue codePage;  // the code page's number
    KeyValue arch;      // the installed stub's architecture
    std::vector<int> fileLines;  // the line of each of request.files
    bool isUtf8 = false;         // the whole file is UTF-8 text
};

// Reads the package file at path. Its [Package] section names the Output,
// Stub, SideImage, Description and Preview files, the CodePage and the Arch
// of the installed stub to use; its [Files] section holds PATTERN=FILE lines
// in install order. Paths are relative to the package file's folder. Missing keys stay empty: the caller
// may still fill them. False when the file cannot be read or holds anything
// else; error is one line that starts with the path and, for a line at
// fault, its number ("Aurora.themepack:7: unknown key 'Foo' in [Package]").
bool ReadPackageFile(const std::string& path, PackageFileText& file, std::string& error);

// The file's patterns in page, as the installer reads them: converted from
// UTF-8 when the file is UTF-8, else taken as bytes already in page. False,
// with error naming the file and line, for a character page cannot hold.
bool EncodePatterns(const std::string& path, const CodePage& page, PackageFileText& file, std::string& error);
