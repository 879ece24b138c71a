// WelcomePage: the wizard's first page, with the links to the maker's web site and support address.
#pragma once

#include "wizard/HyperlinkControl.h"
#include "wizard/WizardPage.h"

class WelcomePage : public WizardPage {
public:
    explicit WelcomePage(WizardSheet& sheet);
    ~WelcomePage() override = default;

    bool OnInitDialog() override;
    // Next alone: there is nothing before this page.
    bool OnSetActive() override;
    // The preview, else the description, else the destination page.
    LRESULT OnWizardNext() override;

private:
    HyperlinkControl websiteLink;
    HyperlinkControl mailLink;
};
