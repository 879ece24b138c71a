// ExtractFiles: one run of the extraction engine over the package's archive copy.
#pragma once

#include "base/String.h"
#include "base/StringList.h"

class ExtractionProgress;

// What a run leaves for its page to show.
struct ExtractionOutcome {
    bool success = false;
    // The first theme path that ends in ".theme" (letters in any case), to
    // offer at Finish; empty when there was none.
    String themeFilePath;
    bool fontsRegistered = false;
};

// Extracts entry i of the archive at archivePath to pattern i of patterns,
// by position, telling progress of every problem, the bar's position and the
// status. destination is the value of %ThemeDir%. A pattern that names no
// file inside its folder is refused with a log line. Fonts are registered,
// and announced to every window once after a run without failure.
ExtractionOutcome ExtractFiles(ExtractionProgress& progress, const String& archivePath, const StringList& patterns,
                               const String& destination);
