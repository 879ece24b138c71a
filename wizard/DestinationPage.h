// DestinationPage: the folder the theme goes to, typed or browsed, checked at Next.
#pragma once

#include "wizard/WizardPage.h"

// Fills its edit once from the sheet's default destination and hands the
// accepted folder to the sheet's destination; never creates a folder.
class DestinationPage : public WizardPage {
public:
    explicit DestinationPage(WizardSheet& sheet);
    ~DestinationPage() override = default;

    bool OnInitDialog() override;
    bool OnSetActive() override;
    // Browse runs the folder browser; everything else is the dialog's.
    bool RouteCommand(UINT id, UINT code, void* extra, CommandState* probe) override;
    // The description, else the preview, else the welcome page.
    LRESULT OnWizardBack() override;
    // -1 stays when the entry is empty or a missing folder is declined; 0
    // goes on to the unpack page with the destination accepted.
    LRESULT OnWizardNext() override;

private:
    void Browse();
    // Gives the focus to the edit and stays on the page.
    LRESULT StayInEdit();

    Window pathEdit;
};
