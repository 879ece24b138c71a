// PackageReport: the loader's steps replayed on a package file, and the problems its installation would meet.
#include "tools/themepack/PackageReport.h"

#include <cstdarg>
#include <cstdio>

#include "framework/ScratchFile.h"
#include "framework/StdioFile.h"
#include "package/ByteOrder.h"
#include "package/PackageSources.h"

namespace {

const char kNotValid[] = "Not a valid theme package!";
const char kCorrupted[] = "Corrupted theme package!";
const char kNotAllInstalled[] = "Not all files were installed! The package might be corrupt!";

// Keeps every byte that ReadPackHead takes from the entry, so that offsets of
// length fields and the bytes of the bitmap parts can be looked at afterwards.
class RecordingStream : public EntryStream {
public:
    explicit RecordingStream(EntryStream& source) : source(source) {}

    int Read(void* buffer, unsigned count) override
    {
        const int got = source.Read(buffer, count);
        if (got > 0)
            bytes.append(static_cast<const char*>(buffer), static_cast<size_t>(got));
        return got;
    }

    std::string bytes;

private:
    EntryStream& source;
};

// Notes where each bitmap part starts in the recording; writes no file.
class PartSink : public PackHeadImageSink {
public:
    PartSink(const RecordingStream& recording, PackageReport& report) : recording(recording), report(report) {}

    StdioFile* BeginImage(uint32_t flag, uint32_t announcedLength) override
    {
        ReportedPart& part = PartOf(flag);
        part.isAnnounced = true;
        part.announcedLength = announcedLength;
        start = recording.bytes.size();
        return nullptr;
    }

    void EndImage(uint32_t flag, uint32_t copiedLength) override
    {
        ReportedPart& part = PartOf(flag);
        part.presentLength = copiedLength;
        part.bytes = recording.bytes.substr(start, copiedLength);
    }

private:
    ReportedPart& PartOf(uint32_t flag) { return flag == PackFlagSideImage ? report.sideImage : report.preview; }

    const RecordingStream& recording;
    PackageReport& report;
    size_t start = 0;
};

// The loader's CopyPayload: at most payloadLength bytes from payloadOffset.
uint64_t CopyPayload(StdioFile& package, const PackageTrailer& trailer, StdioFile& copy)
{
    std::vector<char> buffer(CopyChunkSize);
    package.Seek(trailer.payloadOffset, SEEK_SET);
    uint64_t remaining = trailer.payloadLength;
    uint64_t copied = 0;
    while (remaining > 0) {
        const size_t request = remaining < CopyChunkSize ? static_cast<size_t>(remaining) : CopyChunkSize;
        const size_t got = package.Read(buffer.data(), request);
        if (got == 0)
            break;
        copy.Write(buffer.data(), got);
        remaining -= got;
        copied += got;
    }
    return copied;
}

// Lists the central directory and unpacks each entry to test its CRC.
void ListEntries(ArchiveReader& archive, std::vector<ReportedEntry>& entries)
{
    std::vector<char> buffer(CopyChunkSize);
    for (bool more = archive.GoToFirstEntry(); more; more = archive.GoToNextEntry()) {
        ReportedEntry entry;
        if (!archive.GetEntryInfo(entry.info))
            break;
        entry.isOpenable = archive.OpenEntry();
        if (entry.isOpenable) {
            int got;
            while ((got = archive.Read(buffer.data(), CopyChunkSize)) > 0) {
            }
            entry.isIntact = archive.CloseEntry() && got == 0;
        }
        entries.push_back(entry);
    }
}

// The description's length field follows the side image, or the header.
void NoteDescription(const std::string& recorded, PackageReport& report, const String& text)
{
    ReportedPart& part = report.description;
    part.isAnnounced = true;
    const size_t at = report.sideImage.isAnnounced ? PackHeadHeaderSize + 4 + report.sideImage.presentLength
                                                   : PackHeadHeaderSize;
    unsigned char length[4] = {0, 0, 0, 0};
    for (size_t i = 0; i < 4 && at + i < recorded.size(); ++i)
        length[i] = static_cast<unsigned char>(recorded[at + i]);
    part.announcedLength = GetLittleEndian32(length);
    const uint64_t available = recorded.size() > at + 4 ? recorded.size() - (at + 4) : 0;
    part.presentLength = available < part.announcedLength ? available : part.announcedLength;
    part.bytes.assign(text.Text(), static_cast<size_t>(text.Length()));
}

std::string Sentence(const char* format, ...) __attribute__((format(gnu_printf, 1, 2)));

std::string Sentence(const char* format, ...)
{
    char line[1024];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(line, sizeof line, format, arguments);
    va_end(arguments);
    return line;
}

void CheckBitmapPart(const char* name, const char* effect, const ReportedPart& part,
                     std::vector<std::string>& problems)
{
    if (!part.isAnnounced)
        return;
    if (part.presentLength < part.announcedLength)
        problems.push_back(Sentence("%s: %u bytes announced, only %llu present", name, part.announcedLength,
                                    static_cast<unsigned long long>(part.presentLength)));
    BitmapFacts facts;
    std::string problem;
    if (!CheckBitmapFile(part.bytes, facts, problem))
        problems.push_back(Sentence("%s is not a usable bitmap (%s): %s", name, problem.c_str(), effect));
}

void CheckPairing(const PackageReport& report, std::vector<std::string>& problems)
{
    const int patternCount = report.patterns.Count();
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
                                    patternCount, entryCount, kNotAllInstalled));

    for (int i = 0; i < patternCount && i < entryCount; ++i) {
        const ReportedEntry& entry = report.entries[static_cast<size_t>(i)];
        if (!entry.isOpenable) {
            const bool isKnownMethod = entry.info.method == 0 || entry.info.method == 8;
            const std::string reason = isKnownMethod ? "its local header is damaged"
                                                     : "compression method " + std::to_string(entry.info.method);
            problems.push_back(Sentence("entry %d cannot be unpacked (%s): the installer stops with \"Failed to "
                                        "open '%s' in package!\"",
                                        i, reason.c_str(), report.patterns[i].Text()));
        }
        else if (!entry.isIntact)
            problems.push_back(Sentence("entry %d is damaged (its data does not unpack to its CRC): "
                                        "the installed file would be wrong",
                                        i));
    }
}

}  // namespace

bool InspectPackage(const std::string& path, PackageReport& report, std::string& error)
{
    StdioFile package;
    if (!OpenSourceFile(path, package, report.fileSize, error))
        return false;
    if (report.fileSize >= PackageTrailerSize) {
        unsigned char bytes[PackageTrailerSize];
        package.Seek(-static_cast<int64_t>(PackageTrailerSize), SEEK_END);
        report.trailerBytesRead = package.Read(bytes, sizeof bytes);
    }
    report.hasTrailer = report.trailer.ReadFrom(package);
    if (!report.hasTrailer) {
        report.verdict = kNotValid;
        return true;
    }

    ScratchFile copy;
    if (!copy.CreateTemporary()) {
        error = "cannot create a temporary file";
        return false;
    }
    report.payloadBytesCopied = CopyPayload(package, report.trailer, copy.File());
    copy.File().Close();
    package.Close();

    ArchiveReader archive;
    report.isArchive = archive.Open(copy.Path().c_str());
    if (!report.isArchive) {
        report.verdict = kCorrupted;
        return true;
    }
    ListEntries(archive, report.entries);
    for (size_t i = 0; i < report.entries.size() && report.packHeadIndex < 0; ++i) {
        if (IsPackHeadName(report.entries[i].info.name.Text()))
            report.packHeadIndex = static_cast<int>(i);
    }
    if (report.packHeadIndex < 0 || !archive.LocateEntry(PackHeadName)) {
        report.verdict = kCorrupted;
        return true;
    }
    report.packHeadSize = report.entries[static_cast<size_t>(report.packHeadIndex)].info.uncompressedSize;

    // As the loader: an entry that cannot be opened delivers no bytes.
    archive.OpenEntry();
    RecordingStream recording(archive);
    PartSink sink(recording, report);
    std::vector<char> buffer(CopyChunkSize);
    String description;
    report.hasHeader = ReadPackHead(recording, sink, buffer.data(), report.fields, description, report.patterns);
    if (!report.hasHeader) {
        report.verdict = kCorrupted;
        return true;
    }
    if (report.fields.flags & PackFlagDescription)
        NoteDescription(recording.bytes, report, description);
    return true;
}

std::vector<std::string> FindInstallProblems(const PackageReport& report)
{
    std::vector<std::string> problems;
    if (report.verdict != nullptr)
        return problems;
    if (report.fields.fileCount > report.patterns.Count())
        problems.push_back(Sentence("fileCount is %d but only %d path records are present: the installer uses %d",
                                    report.fields.fileCount, report.patterns.Count(), report.patterns.Count()));
    for (int i = 0; i < report.patterns.Count(); ++i) {
        const std::string problem = PatternProblem(report.patterns[i].Text());
        if (!problem.empty())
            problems.push_back(Sentence("pattern %d '%s': %s", i, report.patterns[i].Text(), problem.c_str()));
    }
    CheckPairing(report, problems);

    CheckBitmapPart("side image", "the wizard pages show no picture", report.sideImage, problems);
    CheckBitmapPart("preview", "the preview page shows no picture", report.preview, problems);
    const ReportedPart& description = report.description;
    if (description.isAnnounced) {
        if (description.presentLength < description.announcedLength)
            problems.push_back(Sentence("description: %u characters announced, only %llu present",
                                        description.announcedLength,
                                        static_cast<unsigned long long>(description.presentLength)));
        if (description.bytes.empty())
            problems.push_back("the description is empty: the installer skips its page");
        for (size_t i = 0; i < description.bytes.size(); ++i) {
            if (description.bytes[i] == '\n' && (i == 0 || description.bytes[i - 1] != '\r')) {
                problems.push_back("description lines end in LF alone: the description page needs CR LF to "
                                   "break them");
                break;
            }
        }
    }
    return problems;
}
