// DescriptionPage: the package's description text in a read-only box on the window colour.
#pragma once

#include "framework/GdiObject.h"
#include "wizard/WizardPage.h"

// Reached only when the package has a description text.
class DescriptionPage : public WizardPage {
public:
    explicit DescriptionPage(WizardSheet& sheet);
    ~DescriptionPage() override = default;

    bool OnInitDialog() override;
    // The focus in the text puts the caret at its end; everything else is the dialog's.
    bool RouteCommand(UINT id, UINT code, void* extra, CommandState* probe) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnSetActive() override;
    // The preview page when the package has one, else the welcome page.
    LRESULT OnWizardBack() override;

private:
    Window descriptionEdit;
    // The read-only box asks for its colours as a static control does.
    Brush backgroundBrush;
};
