// ExtractFiles: one run of the extraction engine over the package's archive copy.
#pragma once

#include "base/String.h"
#include "base/StringList.h"

class ExtractionPage;

// Extracts entry i of the archive at archivePath to pattern i of patterns,
// by position, reporting every problem in the page's log and leaving the page
// in its finishing state. destination is the value of %ThemeDir%.
// themeFilePath receives the first theme path that ends in ".theme" (letters
// in any case), unless it is set already. A pattern that names no file inside
// its folder is refused with a log line. Returns true when the run ended without failure.
bool ExtractFiles(ExtractionPage& page, const String& archivePath, const StringList& patterns,
                  const String& destination, String& themeFilePath);
