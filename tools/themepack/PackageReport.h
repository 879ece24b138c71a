// PackageReport: what themepack inspect finds in a package, read the way the installer reads it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/StringList.h"
#include "package/ArchiveReader.h"
#include "package/PackHead.h"
#include "package/PackageTrailer.h"

// One optional part of PackHead: its length field and the bytes that followed.
struct ReportedPart {
    bool isAnnounced = false;  // its flag bit is set
    uint32_t announcedLength = 0;
    uint64_t presentLength = 0;
    std::string bytes;  // bitmaps: the bytes present; the description: its text
};

// One archive entry as listed by the central directory.
struct ReportedEntry {
    ArchiveEntryInfo info;
    bool isOpenable = false;  // its data could be opened for unpacking
    bool isIntact = false;    // its data unpacked and matched its CRC
};

// Everything inspect prints. Filled step by step; where a step rejects the
// package, verdict holds the loader's message and the later fields stay empty.
struct PackageReport {
    uint64_t fileSize = 0;
    size_t trailerBytesRead = 0;
    PackageTrailer trailer;
    bool hasTrailer = false;
    uint64_t payloadBytesCopied = 0;
    bool isArchive = false;
    std::vector<ReportedEntry> entries;
    int packHeadIndex = -1;
    uint64_t packHeadSize = 0;
    bool hasHeader = false;
    PackHeadFields fields;
    ReportedPart sideImage;
    ReportedPart description;
    ReportedPart preview;
    StringList patterns;
    // The loader's message when it would reject the package, else null.
    const char* verdict = nullptr;
};

// Reads the package at path as the installer's loader does and notes what it
// meets on the way. False, with error set, only when the file cannot be read
// at all or no temporary file can be made; a rejected package is a verdict.
bool InspectPackage(const std::string& path, PackageReport& report, std::string& error);

// What would install badly in an accepted package, one sentence each.
std::vector<std::string> FindInstallProblems(const PackageReport& report);
