// PathText: the parts of a Windows path and where its folder part ends.
#pragma once

#include "base/String.h"

// A path cut into drive ("C:" or empty), folder part (up to and including the
// last backslash or slash), file name and extension (from the last dot of the
// last component, dot included).
struct PathParts {
    String drive;
    String folder;
    String name;
    String extension;
};

PathParts SplitPath(const char* path);

// The folder the installer makes for a destination path, ending in a
// separator: its folder part, and the path itself when its last name has no
// extension, which the installer takes for a folder too. On Windows slashes
// become backslashes, as the system reads them.
String FolderToMake(const char* path);

// Index of the last backslash or slash in a Windows path (a destination or
// a pattern, on any host), or -1.
int FindLastSeparator(const char* path);

// True when a path starts with a drive letter and a colon.
bool StartsWithDrive(const char* path);
