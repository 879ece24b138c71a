// PathText: where the folder part of a path ends, for Windows paths and for the host's own.
#pragma once

#include <string>

// Index of the last backslash or slash in a Windows path (a destination or
// a pattern, on any host), or -1.
int FindLastSeparator(const char* path);

// The folder part of a path of the host system, ending in its separator; ""
// for a bare name.
std::string FolderOf(const std::string& path);
