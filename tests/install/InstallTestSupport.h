// Test support for the installation engine: a recording page and pattern lists; folders, files and archives come from tests/support.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/StringList.h"
#include "install/ExtractionPage.h"
#include "tests/support/TestArchive.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestFolders.h"
#include "tests/support/TestRegistry.h"

// Records every operation the engine asks of its page.
class RecordingPage : public ExtractionPage {
public:
    void AppendLog(const char* text) override { log.push_back(text); }
    void SetProgressRange(int low, int high) override { rangeLow = low, rangeHigh = high; }
    void SetProgressPosition(int position) override { positions.push_back(position); }
    void SetMainText(const char* text) override { mainText = text; }
    void SetStatusText(const char* text) override { statusTexts.push_back(text); }
    void PostWizardButtons(DWORD mask) override { buttonMasks.push_back(mask); }
    void DisableCancel() override { cancelDisabled = true; }
    void SetCheck(bool checked) override { check = checked ? 1 : 0; }
    void ShowCheckBox() override { checkBoxShown = true; }
    void StopAnimation() override { animationStopped = true; }
    void AdjustWaitCursor(int delta) override
    {
        waitCursor += delta;
        waitCursorPeak = waitCursor > waitCursorPeak ? waitCursor : waitCursorPeak;
    }

    std::vector<std::string> log;
    int rangeLow = -1;
    int rangeHigh = -1;
    std::vector<int> positions;
    std::string mainText;
    std::vector<std::string> statusTexts;
    std::vector<DWORD> buttonMasks;
    bool cancelDisabled = false;
    int check = -1;
    bool checkBoxShown = false;
    bool animationStopped = false;
    int waitCursor = 0;
    int waitCursorPeak = 0;
};

void FillPatterns(StringList& list, const std::vector<std::string>& patterns);
