// themepack inspect: prints a package's report as text, the problems its installation would meet, and the verdict.
#include <cinttypes>
#include <cstdio>

#include "package/InstallerMessages.h"
#include "package/PackHead.h"
#include "tools/themepack/Commands.h"
#include "tools/themepack/InspectJson.h"
#include "tools/themepack/InstalledStub.h"
#include "tools/themepack/PackageReport.h"
#include "tools/themepack/ReportCommand.h"
#include "tools/themepack/TextLines.h"

namespace {

const char* MethodName(uint32_t method)
{
    switch (method) {
    case 0:
        return "stored";
    case 8:
        return "deflated";
    default:
        return "unknown method";
    }
}

void PrintTrailer(const PackageReport& report)
{
    if (report.load.isSigned)
        std::printf("Signature: a certificate table of %" PRIu32 " bytes at offset %" PRIu64
                    "; the trailer precedes it\n",
                    report.load.signature.size, report.load.signature.offset);
    std::printf("Trailer\n");
    if (report.fileSize < PackageTrailerSize) {
        std::printf("  the file is shorter than the 20-byte trailer\n");
        return;
    }
    const PackageTrailer& trailer = report.load.trailer;
    std::printf("  trailerSize    %" PRIu32 "\n", trailer.trailerSize);
    std::printf("  magic          0x%08" PRIX32 "%s\n", trailer.magic,
                trailer.magic == PackageTrailerMagic ? "" : " (wrong)");
    std::printf("  formatVersion  %" PRIu32 "\n", trailer.formatVersion);
    std::printf("  payloadOffset  %" PRIu32 "\n", trailer.payloadOffset);
    std::printf("  payloadLength  %" PRIu32 "\n", trailer.payloadLength);
    if (!report.HasTrailer())
        return;
    switch (report.layout) {
    case PayloadLayout::PastEnd:
        std::printf("  layout         the payload runs past the end of the file, which holds %" PRIu64 " bytes of it\n",
                    report.extraBytes);
        break;
    case PayloadLayout::OverlapsTrailer:
        std::printf("  layout         the payload overlaps the trailer by %" PRIu64 " bytes\n", report.extraBytes);
        break;
    case PayloadLayout::AsWritten:
        std::printf("  layout         as written: program image, payload, trailer\n");
        break;
    case PayloadLayout::Gap:
        std::printf("  layout         %" PRIu64 " bytes lie between the payload and the trailer\n",
                    report.extraBytes);
        break;
    }
}

void PrintBitmapPart(const char* name, const LoadedPart& part, const ReportedBitmap& bitmap)
{
    if (!part.isAnnounced) {
        std::printf("  %-14s none\n", name);
        return;
    }
    std::printf("  %-14s %" PRIu32 " bytes announced, %" PRIu32 " present", name, part.announcedLength,
                part.presentLength);
    const BitmapFacts& facts = bitmap.facts;
    if (bitmap.isUsable)
        std::printf(": bitmap %" PRId32 " x %" PRId32 ", %" PRIu32 " bits per pixel\n", facts.width,
                    facts.height < 0 ? -facts.height : facts.height, facts.bitCount);
    else
        std::printf(": not a usable bitmap (%s)\n", bitmap.problem.c_str());
}

void PrintPackHead(const PackageReport& report)
{
    const PackHeadFields& fields = report.load.fields;
    std::printf("PackHead (entry %d, %" PRIu64 " bytes)\n", report.packHeadIndex, report.packHeadSize);
    std::printf("  headerSize     %" PRIu32 "%s\n", fields.headerSize,
                fields.headerSize == PackHeadHeaderSize ? "" : " (must be 16)");
    if (fields.headerSize != PackHeadHeaderSize)
        return;
    std::printf("  fileCount      %" PRId32 "\n", fields.fileCount);
    std::printf("  flags          0x%08" PRIX32 " (", fields.flags);
    const char* separator = "";
    const char* names[] = {"side image", "description", "preview"};
    for (unsigned bit = 0; bit < 3; ++bit) {
        if (fields.flags & (1u << bit)) {
            std::printf("%s%s", separator, names[bit]);
            separator = ", ";
        }
    }
    if (fields.flags & ~7u)
        std::printf("%sother bits, ignored", separator);
    else if (fields.flags == 0)
        std::printf("no optional parts");
    std::printf(")\n");
    std::printf("  entrySize      %" PRIu32 "%s\n", fields.entrySize,
                fields.entrySize == report.packHeadSize ? "" : " (differs from the entry; not used)");
    const PackageLoad& load = report.load;
    PrintBitmapPart("side image", load.sideImagePart, report.sideImage);
    const LoadedPart& description = load.descriptionPart;
    if (description.isAnnounced)
        std::printf("  %-14s %" PRIu32 " characters announced, %" PRIu32 " present\n", "description",
                    description.announcedLength, description.presentLength);
    else
        std::printf("  %-14s none\n", "description");
    PrintBitmapPart("preview", load.previewPart, report.preview);
    if (report.failure == LoadFailure::PartTooLarge)
        std::printf("  limits         passed: a package holds at most %u bytes of description, %u per picture, "
                    "%u characters per path record and %d records\n",
                    DescriptionLengthLimit, ImageLengthLimit, PatternLengthLimitInRecord, PatternCountLimit);

    // The text as the description page shows it, one line per line.
    const std::string text(load.description.Text(), static_cast<size_t>(load.description.Length()));
    if (!text.empty()) {
        std::printf("Description\n");
        for (const std::string& line : TextLines(text))
            std::printf("  | %s\n", Printable(line, report).c_str());
    }
}

void PrintFiles(const PackageReport& report)
{
    std::printf("Files (%zu patterns, paired with the entries by position)\n", report.files.size());
    for (size_t i = 0; i < report.files.size(); ++i) {
        const ReportedFile& file = report.files[i];
        std::printf("  %zu  %s\n", i, Printable(file.pattern, report).c_str());
        if (file.entryIndex < 0) {
            std::printf("       no entry\n");
            continue;
        }
        const ArchiveEntryInfo& info = report.entries[static_cast<size_t>(file.entryIndex)].info;
        std::printf("       entry \"%s\": %s (%" PRIu32 "), %" PRIu64 " bytes packed, %" PRIu64
                    " unpacked, CRC %08" PRIX32 "\n",
                    Printable(info.name.Text(), report).c_str(),
                    MethodName(info.method), info.method, info.compressedSize,
                    info.uncompressedSize, info.crc);
        if (!file.fontEntry.empty())
            std::printf("       font, registered as '%s'\n", Printable(file.fontEntry, report).c_str());
    }
}

void PrintInspectText(const std::string& path, const PackageReport& report)
{
    std::printf("Package %s, %" PRIu64 " bytes\n", Printable(path, CodePage::Host()).c_str(), report.fileSize);
    const std::string installer = DescribeStub(path);
    std::printf("Installer: %s\n", installer.empty() ? "no Windows program" : installer.c_str());
    PrintTrailer(report);
    if (report.HasTrailer()) {
        if (report.IsArchive())
            std::printf("Archive: %zu entries\n", report.entries.size());
        else
            std::printf("Archive: the payload is not a readable ZIP archive\n");
    }
    if (report.IsArchive() && report.packHeadIndex < 0)
        std::printf("PackHead: no such entry\n");
    if (report.packHeadIndex >= 0)
        PrintPackHead(report);
    if (report.HasHeader())
        PrintFiles(report);

    if (!report.problems.empty()) {
        std::printf("Warnings\n");
        for (const std::string& problem : report.problems)
            std::printf("  - %s\n", Printable(problem, report).c_str());
    }
    if (!report.HasHeader())
        std::printf("Verdict: %s\n", LoadFailureMessage(report.failure));
    else if (report.problems.empty())
        std::printf("Verdict: OK\n");
    else
        std::printf("Verdict: OK (%zu warning%s)\n", report.problems.size(), report.problems.size() == 1 ? "" : "s");
}

}  // namespace

int RunInspect(int argc, char** argv)
{
    return RunReportCommand("inspect", argc, argv, ReportFormats{PrintInspectText, WriteInspectJson});
}
