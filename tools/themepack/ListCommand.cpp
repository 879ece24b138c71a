// themepack list: one line per destination in install order, as aligned text or as JSON.
#include <algorithm>
#include <cinttypes>
#include <cstdio>

#include "package/InstallerMessages.h"
#include "tools/themepack/Commands.h"
#include "tools/themepack/Diagnostics.h"
#include "tools/themepack/ReportCommand.h"

namespace {

// One printed row: the columns as they are shown.
struct ListRow {
    std::string pattern;
    std::string entry;
    std::string size;
    std::string crc;
    std::string problem;
    std::string font;
};

// Columns a name takes on the terminal: one per character.
size_t Width(const std::string& shown)
{
    return CodePage::Host().Decode(shown).size();
}

ListRow MakeRow(const PackageReport& report, const ReportedFile& file)
{
    ListRow row;
    row.pattern = Printable(file.pattern, report);
    row.entry = "-";
    row.size = "-";
    row.crc = "-";
    if (file.entryIndex >= 0) {
        const ArchiveEntryInfo& info = report.entries[static_cast<size_t>(file.entryIndex)].info;
        row.entry = Printable(info.name.Text(), report);
        row.size = std::to_string(info.uncompressedSize);
        row.crc = CrcText(info.crc);
    }
    row.problem = Printable(file.problem, report);
    if (!file.fontEntry.empty())
        row.font = "registered as '" + Printable(file.fontEntry, report) + "'";
    return row;
}

// A rejected package has no files to list: the installer's message is the
// whole answer, as the error line.
void PrintListText(const std::string&, const PackageReport& report)
{
    if (!report.HasHeader()) {
        ReportError(LoadFailureMessage(report.failure));
        return;
    }
    std::vector<ListRow> rows = {{"PATTERN", "ENTRY", "SIZE", "CRC-32", "", ""}};
    for (const ReportedFile& file : report.files)
        rows.push_back(MakeRow(report, file));
    size_t patternWidth = 0;
    size_t entryWidth = 0;
    size_t sizeWidth = 0;
    for (const ListRow& row : rows) {
        patternWidth = std::max(patternWidth, Width(row.pattern));
        entryWidth = std::max(entryWidth, Width(row.entry));
        sizeWidth = std::max(sizeWidth, row.size.size());
    }
    for (const ListRow& row : rows) {
        std::string line = row.pattern + std::string(patternWidth - Width(row.pattern) + 2, ' ') + row.entry +
                           std::string(entryWidth - Width(row.entry) + 2 + sizeWidth - row.size.size(), ' ') +
                           row.size + "  " + row.crc;
        std::string notes = row.font;
        if (!row.problem.empty())
            notes += (notes.empty() ? "! " : "  ! ") + row.problem;
        if (!notes.empty())
            line += std::string(10 - row.crc.size(), ' ') + notes;
        std::printf("%s\n", line.c_str());
    }
}

void WriteListJson(const std::string& path, const PackageReport& report, JsonWriter& json)
{
    json.BeginObject();
    json.Key("format");
    json.Unsigned(1);
    json.Key("package");
    json.Utf8String(path);
    WriteOutcomeJson(report, json);
    json.EndObject();
}

}  // namespace

int RunList(int argc, char** argv)
{
    return RunReportCommand("list", argc, argv, ReportFormats{PrintListText, WriteListJson});
}
