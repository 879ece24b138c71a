// PreviewPage: loads the preview file once and hands it to the picture control at the page's scale.
#include "wizard/PreviewPage.h"

#include "loader/ThemePackage.h"
#include "res/resource.h"
#include "wizard/PagePicture.h"
#include "wizard/WizardSheet.h"

PreviewPage::PreviewPage(WizardSheet& sheet) : WizardPage(IDD_PREVIEW, sheet) {}

bool PreviewPage::OnInitDialog()
{
    Dialog::OnInitDialog();
    ShowSideImage();
    previewPicture.Subclass(GetDlgItem(handle, IDC_PREVIEW_PICTURE));
    // A file that does not load leaves the picture empty; the page stays.
    previewBitmap.Load(Package().previewPath.Text(), 0, 0, LR_LOADFROMFILE);
    ShowPicture(previewPicture.Handle(), previewBitmap.Get(), scaledPreview);
    return true;
}

bool PreviewPage::OnSetActive()
{
    PostWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return true;
}

LRESULT PreviewPage::OnWizardNext()
{
    return sheet.PageAfter(IDD_PREVIEW);
}
