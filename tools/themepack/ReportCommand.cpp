// ReportCommand: the command line of inspect and list, their run, and the JSON members they share.
#include "tools/themepack/ReportCommand.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "package/InstallerMessages.h"
#include "tools/themepack/Commands.h"

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
    json.EndObject();
}

}  // namespace

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

std::string Printable(const std::string& text)
{
    return Printable(text.data(), text.size());
}

std::string CrcText(uint32_t crc)
{
    char hex[16];
    std::snprintf(hex, sizeof hex, "%08" PRIx32, crc);
    return hex;
}

int RunReportCommand(const char* command, int argc, char** argv, const ReportFormats& formats)
{
    const char* path = nullptr;
    bool isJson = false;
    for (int i = 0; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
            PrintUsage(stdout);
            return ExitSuccess;
        }
        if (std::strcmp(argument, "--json") == 0) {
            isJson = true;
            continue;
        }
        if (argument[0] == '-')
            return ReportUsageError(std::string("unknown option '") + argument + "'");
        if (path != nullptr || argument[0] == '\0') {
            path = nullptr;
            break;
        }
        path = argument;
    }
    if (path == nullptr)
        return ReportUsageError(std::string(command) + " needs exactly one PACKAGE");

    PackageReport report;
    std::string error;
    if (!InspectPackage(path, report, error)) {
        ReportError(error);
        return ExitFailure;
    }
    if (isJson) {
        JsonWriter json;
        formats.writeJson(path, report, json);
        std::printf("%s\n", json.Text().c_str());
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
