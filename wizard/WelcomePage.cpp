// WelcomePage: the two links and the first step of the page flow.
#include "wizard/WelcomePage.h"

#include "res/resource.h"
#include "wizard/WizardSheet.h"

namespace {

constexpr char kWebsite[] = "http://www.vistaloom.com/";
constexpr char kSupportAddress[] = "support@vistaloom.com";

}  // namespace

WelcomePage::WelcomePage(WizardSheet& sheet) : WizardPage(IDD_WELCOME, sheet) {}

bool WelcomePage::OnInitDialog()
{
    Dialog::OnInitDialog();
    ShowSideImage();
    websiteLink.Subclass(GetDlgItem(handle, IDC_WEBSITE_LINK));
    mailLink.Subclass(GetDlgItem(handle, IDC_MAIL_LINK));
    SetWindowTextA(websiteLink.Handle(), kWebsite);
    websiteLink.SizeToText();
    // The address is shown bare and opened as a mail address.
    String mailTarget;
    mailTarget.Format("mailto:%s", kSupportAddress);
    SetWindowTextA(mailLink.Handle(), kSupportAddress);
    mailLink.SetTarget(mailTarget.Text());
    mailLink.SizeToText();
    return true;
}

bool WelcomePage::OnSetActive()
{
    PostWizardButtons(PSWIZB_NEXT);
    return true;
}

LRESULT WelcomePage::OnWizardNext()
{
    return sheet.PageAfter(IDD_WELCOME);
}
