// ReportCommand: what inspect and list share: their command line, the one load, the package's texts shown safely, and the JSON of files and verdict.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "tools/themepack/JsonWriter.h"
#include "tools/themepack/PackageReport.h"

// The two ways a report command shows a package. Text goes to standard
// output, or for list's rejected package to the error line; the JSON
// document is written whole, whatever the verdict.
struct ReportFormats {
    void (*printText)(const std::string& path, const PackageReport& report);
    void (*writeJson)(const std::string& path, const PackageReport& report, JsonWriter& json);
};

// Runs command on the arguments after its name: PACKAGE, and --json anywhere
// among them. Returns the exit status: failure also for a package the
// installer rejects.
int RunReportCommand(const char* command, int argc, char** argv, const ReportFormats& formats);

// Text in page as this system's terminal may show it: control characters
// (C1 included) become \xNN with their code point, so that no name or
// description can drive it.
std::string Printable(const std::string& text, const CodePage& page);
// The same for the package's own texts, in its names' code page.
std::string Printable(const std::string& text, const PackageReport& report);

// A CRC-32 as eight lower-case hex digits, the way checksum tools print it.
std::string CrcText(uint32_t crc);

// The members both documents end with: "files", then "problems" and "verdict".
void WriteOutcomeJson(const PackageReport& report, JsonWriter& json);
