// Baselines: the plainest ways to do what the installer does, for its figures to stand beside.
#pragma once

#include <cstdint>
#include <string>

// Copies count bytes of source, from offset on, into a new file target with
// CreateFileA, ReadFile and WriteFile in 64 KB pieces. False on any failure.
bool CopyFileRange(const std::string& source, uint64_t offset, uint64_t count, const std::string& target);

// Inflates every entry of the archive into folder (which exists), as files
// named by their position, with minizip and WriteFile in 32 KB pieces: no
// checks, no folders, no log. False on any failure.
bool InflateEntries(const std::string& archive, const std::string& folder);
