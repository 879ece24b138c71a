// WizardPage: what every page of the installer's wizard shares: its sheet, the side image in its left panel, its buttons.
#pragma once

#include "framework/GdiObject.h"
#include "framework/PropertyPage.h"
#include "framework/Window.h"

class ThemePackage;
class WizardSheet;

// A page of the WizardSheet, which holds it by value and hands itself over
// at construction; the page reads the package through the sheet.
class WizardPage : public PropertyPage {
public:
    WizardPage(UINT templateId, WizardSheet& sheet);
    ~WizardPage() override = default;

protected:
    // Binds the left panel and shows the package's side image in it at the
    // page's display scale; a package without one leaves an empty sunken frame.
    void ShowSideImage();
    // Posted, so that it takes effect after the activation has completed.
    void PostWizardButtons(DWORD flags);
    const ThemePackage& Package() const;

    WizardSheet& sheet;
    Window leftPanel;

private:
    // The side image at this page's display scale; empty at 96 DPI.
    Bitmap scaledSideImage;
};
