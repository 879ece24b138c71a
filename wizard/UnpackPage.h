// UnpackPage: the wizard's last page, which runs the extraction with its progress bar and log and opens the theme at Finish.
#pragma once

#include "base/String.h"
#include "install/ExtractionProgress.h"
#include "wizard/LogControl.h"
#include "wizard/ShadedProgressBar.h"
#include "wizard/WizardPage.h"

// Next runs the extraction engine, which reports its log lines, progress and
// status here; the page then shows the outcome itself. themeFilePath is the
// theme file the run found, opened at Finish when asked for.
class UnpackPage : public WizardPage, public ExtractionProgress {
public:
    explicit UnpackPage(WizardSheet& sheet);
    ~UnpackPage() override = default;

    bool OnInitDialog() override;
    bool OnSetActive() override;
    // Runs the extraction and stays: afterwards only Finish is left.
    LRESULT OnWizardNext() override;
    // Stores the open-after-unpack choice and opens the installed theme when
    // it was asked for; true lets the wizard close.
    bool OnWizardFinish() override;

    // ExtractionProgress, on this page's controls.
    void AppendLog(const char* line) override;
    void SetProgressPosition(int position) override;
    void SetStatusText(const char* text) override;

private:
    LogControl log;
    ShadedProgressBar progressBar;
    Window mainText;
    Window statusText;
    Window animation;
    Window openThemeBox;
    String themeFilePath;
};
