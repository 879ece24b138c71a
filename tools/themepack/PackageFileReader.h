// PackageFileReader: the author's texts that become a package request: a PATTERN=FILE, and the package file.
#pragma once

#include <string>

#include "package/PackageWriter.h"

// PATTERN=FILE, split at the first '='. Destinations are Windows paths, so a
// '/' typed in a pattern becomes the backslash the installer splits folders at.
// False, with error saying why, when either side is missing.
bool ParseFileArgument(const std::string& argument, PackageFile& file, std::string& error);

// Reads the package file at path into request. Its [Package] section names
// the Output, Stub, SideImage, Description and Preview files; its [Files]
// section holds PATTERN=FILE lines in install order. Paths are relative to
// the package file's folder. Missing keys stay empty: the caller may still
// fill them. False when the file cannot be read or holds anything else; error
// is one line that starts with the path and, for a line at fault, its number
// ("Aurora.themepack:7: unknown key 'Foo' in [Package]").
bool ReadPackageFile(const std::string& path, PackageRequest& request, std::string& error);
