// WizardPage: the left panel and the wizard buttons of every page.
#include "wizard/WizardPage.h"

#include "loader/ThemePackage.h"
#include "res/resource.h"
#include "wizard/PagePicture.h"
#include "wizard/WizardSheet.h"

WizardPage::WizardPage(UINT templateId, WizardSheet& sheet) : PropertyPage(templateId, 0), sheet(sheet) {}

void WizardPage::ShowSideImage()
{
    leftPanel.Subclass(GetDlgItem(handle, IDC_LEFT_PANEL));
    // The bitmap stays the package's: the panel only shows it, or this page's copy at its scale.
    ShowPicture(leftPanel.Handle(), Package().sideImage.Get(), scaledSideImage);
}

void WizardPage::PostWizardButtons(DWORD flags)
{
    PostMessageA(GetParent(handle), PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(flags));
}

const ThemePackage& WizardPage::Package() const
{
    return sheet.Package();
}
