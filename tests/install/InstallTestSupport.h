// Test support for the installation engine: a recording page and pattern lists; folders, files and archives come from tests/support.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/StringList.h"
#include "install/ExtractionProgress.h"
#include "tests/support/TestArchive.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestFolders.h"
#include "tests/support/TestRegistry.h"

// Records everything the engine tells its page.
class RecordingPage : public ExtractionProgress {
public:
    void AppendLog(const char* line) override { log.push_back(line); }
    void SetProgressPosition(int position) override { positions.push_back(position); }
    void SetStatusText(const char* text) override { statusTexts.push_back(text); }

    std::vector<std::string> log;
    std::vector<int> positions;
    std::vector<std::string> statusTexts;
};

void FillPatterns(StringList& list, const std::vector<std::string>& patterns);
