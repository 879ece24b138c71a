// PackageReport: the shared load run on a package file, and the problems its installation would meet.
#include "tools/themepack/PackageReport.h"

#include <cstdarg>
#include <cstdio>

#include "base/CopyStream.h"
#include "base/HostText.h"
#include "base/StdioFile.h"
#include "base/String.h"
#include "base/Text.h"
#include "base/ScratchFile.h"
#include "package/DataRanges.h"
#include "package/FontFaceName.h"
#include "package/InstallerMessages.h"
#include "package/PackageSources.h"
#include "package/PathPattern.h"
#include "package/PatternProblem.h"

namespace {

// inspect's copies of a package are named after the tool.
constexpr char kTemporaryPrefix[] = "themepack";
// A font entry announcing more is not unpacked to a file for its name: a lie
// about its size must not fill the disk. Fonts are a few megabytes.
constexpr uint64_t kLargestFontRead = 256u << 20;

// Whether the installer writes pattern's file as a font it registers.
bool IsFontPattern(const String& pattern)
{
    return ClassifyPattern(pattern.Text()) == PathKind::Font && UnsafePatternReason(pattern.Text()) == nullptr &&
           IsFontFile(pattern.Text());
}

// Unpacks the open entry as a font file and reads the name the installer
// would list it under; false when the data is damaged.
bool ReadFontEntry(ArchiveReader& archive, const CodePage& page, char* buffer, ReportedEntry& entry)
{
    ScratchFile font;
    if (!font.CreateTemporary(kTemporaryPrefix))
        return ReadWholeEntry(archive, nullptr, buffer) == EntryRead::Intact;
    FileSink sink(font.File());
    const bool isIntact = ReadWholeEntry(archive, &sink, buffer) == EntryRead::Intact;
    font.File().Close();
    String name;
    if (isIntact && ReadFontFaceName(font.Path().Text(), CodePageFontNames(page), name))
        entry.fontName = name.Text();
    return isIntact;
}

// Lists the central directory and unpacks each entry the way the installer
// does to test it, refusing as it does entries whose stored data overlap an
// earlier one's: entries sharing one stream could make the check unpack the
// same data endlessly. An entry paired with a font's pattern is unpacked to
// a file, to read the font's name.
void ListEntries(const FileWindow& payload, const StringList& patterns, const CodePage& page,
                 std::vector<ReportedEntry>& entries)
{
    ArchiveReader archive;
    if (!archive.Open(payload))
        return;
    std::vector<char> buffer(CopyChunkSize);
    DataRanges unpacked;
    for (bool more = archive.GoToFirstEntry(); more; more = archive.GoToNextEntry()) {
        ReportedEntry entry;
        if (!archive.GetEntryInfo(entry.info))
            break;
        const int index = static_cast<int>(entries.size());
        entry.isFont = index < patterns.Count() && IsFontPattern(patterns[index]);
        entry.isOpenable = archive.OpenEntry();
        if (entry.isOpenable) {
            entry.overlapsEarlier = !unpacked.Claim(archive.EntryDataOffset(), entry.info.compressedSize);
            entry.isFontRead = entry.isFont && entry.info.uncompressedSize <= kLargestFontRead;
            if (!entry.overlapsEarlier && entry.isFontRead)
                entry.isIntact = ReadFontEntry(archive, page, buffer.data(), entry);
            else if (!entry.overlapsEarlier)
                entry.isIntact = ReadWholeEntry(archive, nullptr, buffer.data()) == EntryRead::Intact;
        }
        entries.push_back(entry);
    }
}

// A bitmap part's file, checked; none when the part had no file.
ReportedBitmap CheckPart(const ScratchFile& part)
{
    ReportedBitmap bitmap;
    std::string bytes;
    std::string ignored;
    if (part.IsCreated())
        ReadPartFile(part.Path().Text(), "part", bytes, ignored);
    bitmap.isUsable = CheckBitmapFile(bytes, bitmap.facts, bitmap.problem);
    return bitmap;
}

void FindLayout(PackageReport& report)
{
    const PackageTrailer& trailer = report.load.trailer;
    const uint64_t end = static_cast<uint64_t>(trailer.payloadOffset) + trailer.payloadLength;
    const uint64_t trailerStart = report.load.trailerEnd - PackageTrailerSize;
    if (end > report.fileSize) {
        report.layout = PayloadLayout::PastEnd;
        report.extraBytes = report.load.payloadBytesPresent;
    } else if (end > trailerStart) {
        report.layout = PayloadLayout::OverlapsTrailer;
        report.extraBytes = end - trailerStart;
    } else if (end < trailerStart) {
        report.layout = PayloadLayout::Gap;
        report.extraBytes = trailerStart - end;
    }
}

std::string Sentence(const char* format, ...) PRINTF_FORMAT(1, 2);

std::string Sentence(const char* format, ...)
{
    char line[1024];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(line, sizeof line, format, arguments);
    va_end(arguments);
    return line;
}

void CheckBitmapPart(const char* name, const char* effect, const LoadedPart& part, const ReportedBitmap& bitmap,
                     std::vector<std::string>& problems)
{
    if (!part.isAnnounced)
        return;
    if (part.presentLength < part.announcedLength)
        problems.push_back(Sentence("%s: %u bytes announced, only %u present", name, part.announcedLength,
                                    part.presentLength));
    if (!bitmap.isUsable)
        problems.push_back(Sentence("%s is not a usable bitmap (%s): %s", name, bitmap.problem.c_str(), effect));
}

// A log line as the installer writes it, without its line feed, for quoting.
std::string LogText(const std::string& line)
{
    return line.substr(0, line.size() - 1);
}

// The order of patterns and entries against PackHead's place.
void CheckPairing(const PackageReport& report, std::vector<std::string>& problems)
{
    const int patternCount = report.load.patterns.Count();
    const int entryCount = static_cast<int>(report.entries.size());
    const int head = report.packHeadIndex;
    if (head < patternCount)
        problems.push_back(Sentence("%d patterns but only %d file entries before PackHead: pattern %d receives "
                                    "the PackHead entry as its file",
                                    patternCount, head, head));
    else if (head > patternCount)
        problems.push_back(Sentence("entries %d to %d come before PackHead but no pattern names them: "
                                    "they are never installed",
                                    patternCount, head - 1));
    if (head != entryCount - 1)
        problems.push_back(Sentence("PackHead is not the last entry: the %d entries after it %s",
                                    entryCount - 1 - head,
                                    head < patternCount ? "are paired with the patterns after it" : "are ignored"));
    if (entryCount < patternCount)
        problems.push_back(Sentence("%d patterns but only %d entries: the installer stops with \"%s\"",
                                    patternCount, entryCount, LogText(NotAllInstalledLine).c_str()));
}

// What the installer makes of pattern i and its entry. The pattern's own
// problem comes first for the file's mark, as the installer checks it first.
void CheckFile(const PackageReport& report, int i, ReportedFile& file, std::vector<std::string>& problems)
{
    const char* pattern = report.load.patterns[i].Text();
    file.pattern = pattern;
    file.problem = PatternProblem(file.pattern);
    if (!file.problem.empty())
        problems.push_back(Sentence("pattern %d '%s': %s", i, pattern, file.problem.c_str()));
    if (static_cast<size_t>(i) >= report.entries.size()) {
        if (file.problem.empty())
            file.problem = Sentence("no entry: the installer stops with \"%s\"", LogText(NotAllInstalledLine).c_str());
        return;
    }
    file.entryIndex = i;
    const ReportedEntry& entry = report.entries[static_cast<size_t>(i)];
    std::string effect;
    if (!entry.isOpenable) {
        const bool isKnownMethod = entry.info.method == 0 || entry.info.method == 8;
        const std::string reason = isKnownMethod ? "its local header is damaged"
                                                 : "compression method " + std::to_string(entry.info.method);
        String line;
        line.Format(EntryNotOpenedLine, pattern);
        effect = Sentence("cannot be unpacked (%s): the installer stops with \"%s\"", reason.c_str(),
                          LogText(line.Text()).c_str());
    } else if (entry.overlapsEarlier || !entry.isIntact) {
        String line;
        line.Format(DamagedEntryLine, pattern);
        const char* reason = entry.overlapsEarlier ? "its stored data overlaps an earlier entry's"
                                                   : "its data does not unpack in full to its CRC";
        effect = Sentence("is damaged (%s): the installer writes \"%s\" and leaves the file out", reason,
                          LogText(line.Text()).c_str());
    }
    if (!effect.empty()) {
        problems.push_back(Sentence("entry %d %s", i, effect.c_str()));
        if (file.problem.empty())
            file.problem = "its entry " + effect;
    }
    // CheckPairing says so for the package; the file's mark says it here.
    if (i == report.packHeadIndex && file.problem.empty())
        file.problem = "its entry is PackHead: the installer writes the package's header as this file";
    if (entry.isFontRead && effect.empty()) {
        if (!entry.fontName.empty()) {
            file.fontEntry = entry.fontName + " (TrueType)";
        } else {
            effect = "is a font without a usable full name: the installer writes it but does not register it";
            problems.push_back(Sentence("entry %d %s", i, effect.c_str()));
            if (file.problem.empty())
                file.problem = "its entry " + effect;
        }
    }
}

// The files in install order and every problem of an accepted package.
void CheckInstall(PackageReport& report)
{
    const PackageLoad& load = report.load;
    std::vector<std::string>& problems = report.problems;
    const int patternCount = load.patterns.Count();
    if (load.fields.fileCount > patternCount)
        problems.push_back(Sentence("fileCount is %d but only %d path records are present: the installer uses %d",
                                    load.fields.fileCount, patternCount, patternCount));
    report.files.resize(static_cast<size_t>(patternCount));
    std::vector<std::string> fileProblems;
    for (int i = 0; i < patternCount; ++i)
        CheckFile(report, i, report.files[static_cast<size_t>(i)], fileProblems);
    CheckPairing(report, problems);
    problems.insert(problems.end(), fileProblems.begin(), fileProblems.end());

    CheckBitmapPart("side image", "the wizard pages show no picture", load.sideImagePart, report.sideImage,
                    problems);
    CheckBitmapPart("preview", "the preview page shows no picture", load.previewPart, report.preview, problems);
    const LoadedPart& description = load.descriptionPart;
    const String& text = load.description;
    if (description.isAnnounced) {
        if (description.presentLength < description.announcedLength)
            problems.push_back(Sentence("description: %u characters announced, only %u present",
                                        description.announcedLength, description.presentLength));
        if (text.IsEmpty())
            problems.push_back("the description is empty: the installer skips its page");
        for (int i = 0; i < text.Length(); ++i) {
            if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
                problems.push_back("description lines end in LF alone: the description page needs CR LF to "
                                   "break them");
                break;
            }
        }
    }
}

}  // namespace

bool LoadPackageFile(const std::string& path, PackageReport& report, std::string& error)
{
    // Opened here first for a message that says why it cannot be read.
    StdioFile package;
    if (!OpenSourceFile(path, package, report.fileSize, error))
        return false;
    package.Close();

    // No installer runs here: nothing needs a copy that others cannot change,
    // and a copy of a large payload would cost more than the unpacking.
    report.failure = LoadPackage(path.c_str(), kTemporaryPrefix, report.load, PayloadAccess::InPlace);
    if (report.failure == LoadFailure::CannotOpen) {
        error = "cannot open " + Quoted(path);
        return false;
    }
    return true;
}

bool InspectPackage(const std::string& path, PackageReport& report, std::string& error)
{
    if (!LoadPackageFile(path, report, error))
        return false;
    if (report.HasTrailer())
        FindLayout(report);
    if (!report.IsArchive())
        return true;
    ListEntries(report.load.Payload(), report.load.patterns, report.names, report.entries);
    for (size_t i = 0; i < report.entries.size() && report.packHeadIndex < 0; ++i) {
        if (IsPackHeadName(report.entries[i].info.name.Text())) {
            report.packHeadIndex = static_cast<int>(i);
            report.packHeadSize = report.entries[i].info.uncompressedSize;
        }
    }
    report.sideImage = CheckPart(report.load.sideImage);
    report.preview = CheckPart(report.load.preview);
    if (report.HasHeader())
        CheckInstall(report);
    return true;
}
