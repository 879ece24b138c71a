// WizardSheet: the installer's five-page wizard, the destination it collects and the rich-edit library its log needs.
#pragma once

#include "base/String.h"
#include "framework/PropertySheet.h"
#include "wizard/DescriptionPage.h"
#include "wizard/DestinationPage.h"
#include "wizard/PreviewPage.h"
#include "wizard/UnpackPage.h"
#include "wizard/WelcomePage.h"

class ThemePackage;

// Owns its five pages and both destination strings, and keeps the rich-edit
// library loaded while it exists. Built on the loader's stack after the
// package has been read, run with DoModal, destroyed after the run.
class WizardSheet : public PropertySheet {
public:
    explicit WizardSheet(const ThemePackage& package);
    ~WizardSheet() override;

    // Sets the wizard's title-bar icon and makes the wizard the window that
    // owns message boxes while it runs; true lets the system set the focus.
    bool OnInitDialog() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    const ThemePackage& Package() const { return package; }

    // The page flow: the page Next or Back shows from the page of this
    // template id, by template id, passing over the preview and description
    // pages when the package has no content for them.
    UINT PageAfter(UINT templateId) const;
    UINT PageBefore(UINT templateId) const;

    // Shown once on the destination page; read from the settings.
    String defaultDestination;
    // Accepted on the destination page, ending in a backslash; the value of
    // %ThemeDir% for the extraction.
    String destination;

private:
    // Whether the package has what the page of this template shows.
    bool IsShown(UINT templateId) const;

    const ThemePackage& package;
    HMODULE richEditModule = nullptr;
    WelcomePage welcomePage;
    PreviewPage previewPage;
    DescriptionPage descriptionPage;
    DestinationPage destinationPage;
    UnpackPage unpackPage;
};
