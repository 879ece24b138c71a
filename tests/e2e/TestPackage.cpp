// TestPackage: writing test archives and packages with the packager's own writer.
#include "tests/e2e/TestPackage.h"

#include "package/PackageWriter.h"
#include "tests/support/TestFiles.h"

std::vector<TestEntry> PackageEntries(const PackHeadParts& parts)
{
    std::vector<TestEntry> entries;
    for (const std::string& pattern : parts.patterns)
        entries.push_back({EntryNameForPattern(pattern), "contents of " + pattern + "\r\n"});
    const std::vector<unsigned char> head = EncodePackHead(parts);
    entries.push_back({PackHeadName, std::string(head.begin(), head.end())});
    return entries;
}

bool AssembleTestPackage(const std::string& stubPath, const std::string& payload,
                         const std::string& outputPath, std::string& error)
{
    const std::string payloadPath = outputPath + ".payload";
    if (!WriteFileBytes(payloadPath, payload)) {
        error = "cannot write " + payloadPath;
        return false;
    }
    return AssemblePackage(stubPath, payloadPath, outputPath, PackageTrailer(), error);
}

bool WriteRawPackage(const std::string& stubPath, const std::string& payload, const PackageTrailer& trailer,
                     const std::string& outputPath, std::string& error)
{
    std::string bytes;
    if (!ReadFileBytes(stubPath, bytes)) {
        error = "cannot read " + stubPath;
        return false;
    }
    unsigned char ending[PackageTrailerSize];
    trailer.Encode(ending);
    bytes += payload;
    bytes.append(reinterpret_cast<const char*>(ending), sizeof(ending));
    if (!WriteFileBytes(outputPath, bytes)) {
        error = "cannot write " + outputPath;
        return false;
    }
    return true;
}
