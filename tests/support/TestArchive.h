// TestArchive: ZIP archives of test entries, written by the packager's own writer.
#pragma once

#include <string>
#include <vector>

// One entry of a test archive.
struct TestEntry {
    std::string name;
    std::string data;
    bool deflate = true;
};

// Writes a ZIP archive of the entries in order to path; false on failure.
bool WriteArchive(const std::string& path, const std::vector<TestEntry>& entries);
