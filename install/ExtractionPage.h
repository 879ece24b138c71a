// ExtractionPage: what the extraction engine needs of the unpack page and its sheet.
#pragma once

#include <windows.h>

// The unpack page implements these on its controls; tests record them.
class ExtractionPage {
public:
    virtual ~ExtractionPage() = default;

    // text ends in its own line feed.
    virtual void AppendLog(const char* text) = 0;
    virtual void SetProgressRange(int low, int high) = 0;
    virtual void SetProgressPosition(int position) = 0;
    virtual void SetMainText(const char* text) = 0;
    virtual void SetStatusText(const char* text) = 0;
    // Posted, so it takes effect after the run has returned.
    virtual void PostWizardButtons(DWORD mask) = 0;
    virtual void DisableCancel() = 0;
    virtual void SetCheck(bool checked) = 0;
    virtual void ShowCheckBox() = 0;
    // Stops the animation and hides it; the check box takes its place.
    virtual void StopAnimation() = 0;
    virtual void AdjustWaitCursor(int delta) = 0;
};
