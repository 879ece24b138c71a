// InspectJson: inspect's report as one JSON document.
#pragma once

#include <string>

class JsonWriter;
struct PackageReport;

// inspect's document: the trailer, the entries, PackHead, then the members
// list's document ends with too.
void WriteInspectJson(const std::string& path, const PackageReport& report, JsonWriter& json);
