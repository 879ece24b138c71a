// PreviewPage: the theme's preview picture, shown at its own size scaled by the display scale.
#pragma once

#include "framework/GdiObject.h"
#include "wizard/WizardPage.h"

// Reached only when the package has a preview file; owns the bitmap loaded
// from it, and its copy at the page's display scale, until the page object goes.
class PreviewPage : public WizardPage {
public:
    explicit PreviewPage(WizardSheet& sheet);
    ~PreviewPage() override = default;

    bool OnInitDialog() override;
    bool OnSetActive() override;
    // The description page when the package has a description, else the destination.
    LRESULT OnWizardNext() override;

private:
    Window previewPicture;
    Bitmap previewBitmap;
    Bitmap scaledPreview;
};
