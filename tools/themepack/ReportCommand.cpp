// ReportCommand: the command line of inspect and list, their run, and the JSON members they share.
#include "tools/themepack/ReportCommand.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "package/InstallerMessages.h"
#include "tools/themepack/CommandArguments.h"
#include "tools/themepack/Diagnostics.h"

namespace {

void WriteFileJson(const PackageReport& report, const ReportedFile& file, JsonWriter& json)
{
    json.BeginObject();
    json.Key("pattern");
    json.AnsiString(file.pattern);
    if (file.entryIndex < 0) {
        for (const char* key : {"entry", "size", "crc32"}) {
            json.Key(key);
            json.Null();
        }
    } else {
        const ArchiveEntryInfo& info = report.entries[static_cast<size_t>(file.entryIndex)].info;
        json.Key("entry");
        json.AnsiString(info.name.Text(), static_cast<size_t>(info.name.Length()));
        json.Key("size");
        json.Unsigned(info.uncompressedSize);
        json.Key("crc32");
        json.Utf8String(CrcText(info.crc));
    }
    json.Key("problem");
    if (file.problem.empty())
        json.Null();
    else
        json.AnsiString(file.problem);
    json.Key("fontEntry");
    if (file.fontEntry.empty())
        json.Null();
    else
        json.AnsiString(file.fontEntry);
    json.EndObject();
}

}  // namespace

std::string Printable(const std::string& text, const CodePage& page)
{
    std::u32string shown;
    for (char32_t c : page.Decode(text)) {
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned>(c));
            shown.append(escape, escape + std::strlen(escape));
        } else {
            shown += c;
        }
    }
    std::string bytes;
    for (char32_t c : shown) {
        std::string character;
        std::string ignored;
        bytes += CodePage::Host().Encode(std::u32string(1, c), TextUse::Text, character, ignored) ? character : "?";
    }
    return bytes;
}

std::string Printable(const std::string& text, const PackageReport& report)
{
    return Printable(text, report.names);
}

std::string CrcText(uint32_t crc)
{
    char hex[16];
    std::snprintf(hex, sizeof hex, "%08" PRIx32, crc);
    return hex;
}

int RunReportCommand(const char* command, int argc, char** argv, const ReportFormats& formats)
{
    const OptionSpec json = {"--json", nullptr, nullptr, nullptr};
    CommandArguments arguments;
    int status = ExitSuccess;
    if (!arguments.Read({command, "PACKAGE", {json}}, argc, argv, status))
        return status;
    const std::string& path = arguments.Operand();

    PackageReport report;
    report.names = arguments.Page();
    std::string error;
    if (!InspectPackage(path, report, error)) {
        ReportError(error);
        return ExitFailure;
    }
    if (!arguments.Value(json.name).empty()) {
        JsonWriter writer(report.names);
        formats.writeJson(path, report, writer);
        std::printf("%s\n", writer.Text().c_str());
    } else {
        formats.printText(path, report);
    }
    return report.HasHeader() ? ExitSuccess : ExitFailure;
}

void WriteOutcomeJson(const PackageReport& report, JsonWriter& json)
{
    json.Key("files");
    json.BeginArray();
    for (const ReportedFile& file : report.files)
        WriteFileJson(report, file, json);
    json.EndArray();
    json.Key("problems");
    json.BeginArray();
    for (const std::string& problem : report.problems)
        json.AnsiString(problem);
    json.EndArray();
    json.Key("verdict");
    json.BeginObject();
    json.Key("accepted");
    json.Boolean(report.HasHeader());
    json.Key("message");
    if (report.HasHeader())
        json.Null();
    else
        json.Utf8String(LoadFailureMessage(report.failure));
    json.EndObject();
}
