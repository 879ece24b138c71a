// TestArchive: one ZipWriter run per archive.
#include "tests/support/TestArchive.h"

#include "package/PackageWriter.h"

bool WriteArchive(const std::string& path, const std::vector<TestEntry>& entries)
{
    ZipWriter zip;
    if (!zip.Create(path.c_str()))
        return false;
    for (const TestEntry& entry : entries) {
        if (!zip.AddBytes(entry.name.c_str(), entry.data.data(), entry.data.size(), entry.deflate))
            return false;
    }
    return zip.Close();
}
