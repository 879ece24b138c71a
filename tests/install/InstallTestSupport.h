// Test support for the installation engine: a recording page, scratch folders and archives.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/StringList.h"
#include "install/ExtractionPage.h"

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

// A new empty folder under the temporary folder, removed with all it holds
// when the object goes.
class ScratchFolder {
public:
    ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder();

    // Ends in a backslash.
    const std::string& Path() const { return path; }
    std::string operator/(const std::string& name) const { return path + name; }

private:
    std::string path;
};

// One entry of a test archive.
struct TestEntry {
    std::string name;
    std::string data;
    bool deflate = true;
};

// Writes a ZIP archive of the entries in order to path; false on failure.
bool WriteArchive(const std::string& path, const std::vector<TestEntry>& entries);

std::string ReadWholeFile(const std::string& path);
bool WriteWholeFile(const std::string& path, const std::string& data);
bool IsFolder(const std::string& path);
void RemoveTree(const std::string& path);

void FillPatterns(StringList& list, const std::vector<std::string>& patterns);

// The Windows path of a file of the Linux host (Wine maps / to Z:\).
std::string HostPath(const char* unixPath);
