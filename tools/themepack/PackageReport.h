// PackageReport: what themepack inspect finds in a package, read by the installer's own load routine.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "package/ArchiveReader.h"
#include "package/PackageLoader.h"

// One archive entry as listed by the central directory.
struct ReportedEntry {
    ArchiveEntryInfo info;
    bool isOpenable = false;  // its data could be opened for unpacking
    bool isIntact = false;    // its data unpacked and matched its CRC
    // Its stored data overlaps an earlier entry's, as the installer refuses;
    // it is not unpacked again to be checked.
    bool overlapsEarlier = false;
};

// Everything inspect prints. The load runs as far as the installer's loader
// would; where it stops, failure says why and the later fields stay empty.
struct PackageReport {
    uint64_t fileSize = 0;
    LoadFailure failure = LoadFailure::None;
    PackageLoad load;
    // The archive copy's entries, listed when the copy is an archive.
    std::vector<ReportedEntry> entries;
    int packHeadIndex = -1;
    uint64_t packHeadSize = 0;
    // The bitmap parts as the load wrote them.
    std::string sideImageBytes;
    std::string previewBytes;

    bool HasTrailer() const { return failure != LoadFailure::NoTrailer; }
    bool IsArchive() const { return HasTrailer() && failure != LoadFailure::NotAnArchive; }
    bool HasHeader() const { return failure == LoadFailure::None; }
};

// Loads the package at path as the installer does and notes what it meets
// on the way. False, with error set, only when the file cannot be read at
// all or no temporary file can be made; a rejected package is a verdict.
bool InspectPackage(const std::string& path, PackageReport& report, std::string& error);

// What would install badly in an accepted package, one sentence each.
std::vector<std::string> FindInstallProblems(const PackageReport& report);
