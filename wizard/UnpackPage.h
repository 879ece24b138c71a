// UnpackPage: the wizard's last page, which runs the extraction with its progress bar and log and opens the theme at Finish.
#pragma once

#include "base/String.h"
#include "install/ExtractionPage.h"
#include "install/LogControl.h"
#include "install/ShadedProgressBar.h"
#include "wizard/WizardPage.h"

// The extraction engine drives this page through ExtractionPage while Next
// runs; themeFilePath is the theme file the engine remembered for Finish.
class UnpackPage : public WizardPage, public ExtractionPage {
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

    // ExtractionPage, on this page's controls.
    void AppendLog(const char* text) override;
    void SetProgressRange(int low, int high) override;
    void SetProgressPosition(int position) override;
    void SetMainText(const char* text) override;
    void SetStatusText(const char* text) override;
    void PostWizardButtons(DWORD mask) override;
    void DisableCancel() override;
    void SetCheck(bool checked) override;
    void ShowCheckBox() override;
    void StopAnimation() override;
    void AdjustWaitCursor(int delta) override;

private:
    LogControl log;
    ShadedProgressBar progressBar;
    StaticControl mainText;
    StaticControl statusText;
    Window animation;
    Window openThemeBox;
    String themeFilePath;
};
