// PackageReport: what themepack inspect and list find in a package, read by the installer's own load routine.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "package/ArchiveReader.h"
#include "package/PackageLoader.h"
#include "package/PackageSources.h"
#include "tools/themepack/CodePage.h"

// One archive entry as listed by the central directory.
struct ReportedEntry {
    ArchiveEntryInfo info;
    bool isOpenable = false;  // its data could be opened for unpacking
    bool isIntact = false;    // its data unpacked and matched its CRC
    // Its stored data overlaps an earlier entry's, as the installer refuses;
    // it is not unpacked again to be checked.
    bool overlapsEarlier = false;
    // Paired with a font file's pattern: the full name the installer lists
    // it under, read from its unpacked data (when it is not too large to
    // read); empty when it has none.
    bool isFont = false;
    bool isFontRead = false;
    std::string fontName;
};

// Where the payload lies against the trailer; extraBytes counts the gap, the
// overlap, or the bytes the file holds of a payload that runs past its end.
enum class PayloadLayout { AsWritten, Gap, OverlapsTrailer, PastEnd };

// A bitmap part as the load wrote it, checked as the wizard would load it.
struct ReportedBitmap {
    bool isUsable = false;
    BitmapFacts facts;
    std::string problem;  // why it is not usable, in a few words
};

// One pattern, paired by position with the entry the installer gives it.
struct ReportedFile {
    std::string pattern;  // as stored: Windows ANSI bytes
    int entryIndex = -1;  // -1 when the archive runs out of entries first
    // Why the installer would not install the file as named, one sentence;
    // empty when it would.
    std::string problem;
    // For a font the installer registers: its entry in the font list,
    // "<full name> (TrueType)". Empty otherwise.
    std::string fontEntry;
};

// Everything inspect and list print, collected in one load. The load runs
// as far as the installer's loader would; where it stops, failure says why
// and the later fields stay empty.
struct PackageReport {
    // The code page the package's names and texts are read in.
    CodePage names;
    uint64_t fileSize = 0;
    LoadFailure failure = LoadFailure::None;
    PackageLoad load;
    // Set when there is a trailer.
    PayloadLayout layout = PayloadLayout::AsWritten;
    uint64_t extraBytes = 0;
    // The archive's entries, listed when the payload is an archive.
    std::vector<ReportedEntry> entries;
    int packHeadIndex = -1;
    uint64_t packHeadSize = 0;
    ReportedBitmap sideImage;
    ReportedBitmap preview;
    // Set when the header was read: the patterns in install order, and what
    // would install badly, one sentence each.
    std::vector<ReportedFile> files;
    std::vector<std::string> problems;

    bool HasTrailer() const { return failure != LoadFailure::NoTrailer; }
    bool IsArchive() const { return HasTrailer() && failure != LoadFailure::NotAnArchive; }
    bool HasHeader() const { return failure == LoadFailure::None; }
};

// Loads the package at path as the installer does, and no more: the load's
// outcome and the file's size. The payload is read where it lies in the
// package, with the installer's checks and verdicts. False, with error set,
// only when the file cannot be read at all.
bool LoadPackageFile(const std::string& path, PackageReport& report, std::string& error);

// Loads the package at path as the installer does and notes what it meets
// on the way. False, with error set, only when the file cannot be read at
// all; a rejected package is a verdict.
bool InspectPackage(const std::string& path, PackageReport& report, std::string& error);
