// themepack inspect: prints a package's report, the problems its installation would meet, and the verdict.
#include <cinttypes>
#include <cstring>

#include "package/InstallerMessages.h"
#include "package/PackHead.h"
#include "package/PackageSources.h"
#include "tools/themepack/Commands.h"
#include "tools/themepack/PackageReport.h"

std::string Printable(const char* text, size_t length)
{
    std::string shown;
    for (size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", c);
            shown += escape;
        } else {
            shown += static_cast<char>(c);
        }
    }
    return shown;
}

namespace {

using ::Printable;

std::string Printable(const std::string& text)
{
    return Printable(text.data(), text.size());
}

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
    const uint64_t end = static_cast<uint64_t>(trailer.payloadOffset) + trailer.payloadLength;
    const uint64_t trailerStart = report.load.trailerEnd - PackageTrailerSize;
    if (end > report.fileSize)
        std::printf("  layout         the payload runs past the end of the file: %" PRIu64 " bytes copied\n",
                    report.load.payloadBytesCopied);
    else if (end > trailerStart)
        std::printf("  layout         the payload overlaps the trailer by %" PRIu64 " bytes\n", end - trailerStart);
    else if (end == trailerStart)
        std::printf("  layout         as written: program image, payload, trailer\n");
    else
        std::printf("  layout         %" PRIu64 " bytes lie between the payload and the trailer\n", trailerStart - end);
}

void PrintBitmapPart(const char* name, const LoadedPart& part, const std::string& bytes)
{
    if (!part.isAnnounced) {
        std::printf("  %-14s none\n", name);
        return;
    }
    std::printf("  %-14s %" PRIu32 " bytes announced, %" PRIu32 " present", name, part.announcedLength,
                part.presentLength);
    BitmapFacts facts;
    std::string problem;
    if (CheckBitmapFile(bytes, facts, problem))
        std::printf(": bitmap %" PRId32 " x %" PRId32 ", %" PRIu32 " bits per pixel\n", facts.width,
                    facts.height < 0 ? -facts.height : facts.height, facts.bitCount);
    else
        std::printf(": not a usable bitmap (%s)\n", problem.c_str());
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
    PrintBitmapPart("side image", load.sideImagePart, report.sideImageBytes);
    const LoadedPart& description = load.descriptionPart;
    if (description.isAnnounced)
        std::printf("  %-14s %" PRIu32 " characters announced, %" PRIu32 " present\n", "description",
                    description.announcedLength, description.presentLength);
    else
        std::printf("  %-14s none\n", "description");
    PrintBitmapPart("preview", load.previewPart, report.previewBytes);
    if (report.failure == LoadFailure::PartTooLarge)
        std::printf("  limits         passed: a package holds at most %u bytes of description, %u per picture, "
                    "%u characters per path record and %d records\n",
                    DescriptionLengthLimit, ImageLengthLimit, PatternLengthLimitInRecord, PatternCountLimit);

    // The text as the description page shows it, one line per line.
    const std::string text(load.description.Text(), static_cast<size_t>(load.description.Length()));
    if (!text.empty()) {
        std::printf("Description\n");
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find('\n', start);
            if (end == std::string::npos)
                end = text.size();
            size_t length = end - start;
            if (length > 0 && text[start + length - 1] == '\r')
                --length;
            std::printf("  | %s\n", Printable(text.c_str() + start, length).c_str());
            start = end + 1;
        }
    }
}

void PrintFiles(const PackageReport& report)
{
    const StringList& patterns = report.load.patterns;
    std::printf("Files (%d patterns, paired with the entries by position)\n", patterns.Count());
    for (int i = 0; i < patterns.Count(); ++i) {
        std::printf("  %d  %s\n", i, Printable(patterns[i].Text(), static_cast<size_t>(patterns[i].Length())).c_str());
        if (static_cast<size_t>(i) >= report.entries.size()) {
            std::printf("       no entry\n");
            continue;
        }
        const ArchiveEntryInfo& info = report.entries[static_cast<size_t>(i)].info;
        std::printf("       entry \"%s\": %s (%" PRIu32 "), %" PRIu64 " bytes packed, %" PRIu64
                    " unpacked, CRC %08" PRIX32 "\n",
                    Printable(info.name.Text(), static_cast<size_t>(info.name.Length())).c_str(),
                    MethodName(info.method), info.method, info.compressedSize,
                    info.uncompressedSize, info.crc);
    }
}

}  // namespace

int RunInspect(int argc, char** argv)
{
    if (argc == 1 && (std::strcmp(argv[0], "--help") == 0 || std::strcmp(argv[0], "-h") == 0)) {
        PrintUsage(stdout);
        return ExitSuccess;
    }
    if (argc != 1 || argv[0][0] == '\0') {
        ReportError("inspect needs exactly one PACKAGE (try themepack --help)");
        return ExitUsage;
    }
    const std::string path = argv[0];
    PackageReport report;
    std::string error;
    if (!InspectPackage(path, report, error)) {
        ReportError(error);
        return ExitFailure;
    }

    std::printf("Package %s, %" PRIu64 " bytes\n", Printable(path).c_str(), report.fileSize);
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

    const std::vector<std::string> problems = FindInstallProblems(report);
    if (!problems.empty()) {
        std::printf("Warnings\n");
        for (const std::string& problem : problems)
            std::printf("  - %s\n", Printable(problem).c_str());
    }
    if (!report.HasHeader()) {
        std::printf("Verdict: %s\n", LoadFailureMessage(report.failure));
        return ExitFailure;
    }
    if (problems.empty())
        std::printf("Verdict: OK\n");
    else
        std::printf("Verdict: OK (%zu warning%s)\n", problems.size(), problems.size() == 1 ? "" : "s");
    return ExitSuccess;
}
