// UnpackPage: the run around the engine, the outcome it shows, and Finish.
#include "wizard/UnpackPage.h"

#include <commctrl.h>

#include "framework/Application.h"
#include "framework/SystemLibraries.h"
#include "install/ExtractFiles.h"
#include "install/Settings.h"
#include "package/InstallerMessages.h"
#include "loader/ThemePackage.h"
#include "res/resource.h"
#include "wizard/WizardSheet.h"

UnpackPage::UnpackPage(WizardSheet& sheet) : WizardPage(IDD_UNPACK, sheet) {}

bool UnpackPage::OnInitDialog()
{
    Dialog::OnInitDialog();
    ShowSideImage();
    log.Subclass(GetDlgItem(handle, IDC_LOG));
    progressBar.Subclass(GetDlgItem(handle, IDC_PROGRESS));
    animation.Subclass(GetDlgItem(handle, IDC_ANIMATION));
    statusText.Subclass(GetDlgItem(handle, IDC_STATUS_TEXT));
    mainText.Subclass(GetDlgItem(handle, IDC_MAIN_TEXT));
    openThemeBox.Subclass(GetDlgItem(handle, IDC_OPEN_THEME));
    progressBar.EnableShading(true);
    return true;
}

bool UnpackPage::OnSetActive()
{
    WizardPage::PostWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return true;
}

LRESULT UnpackPage::OnWizardNext()
{
    Application* application = CurrentApplication();
    SetWindowTextA(mainText.Handle(), "");
    SetStatusText("");
    if (application != nullptr)
        application->AdjustWaitCursor(+1);
    // Posted: the buttons change once the run has returned.
    PostWizardButtons(0);
    progressBar.Send(PBM_SETRANGE, 0, MAKELPARAM(0, 100));

    const ThemePackage& package = Package();
    const ExtractionOutcome outcome = ExtractFiles(*this, package.archivePath, package.files, sheet.destination);
    if (themeFilePath.IsEmpty())
        themeFilePath = outcome.themeFilePath;

    PostWizardButtons(PSWIZB_FINISH);
    EnableWindow(GetDlgItem(GetParent(handle), IDCANCEL), FALSE);
    SetWindowTextA(mainText.Handle(), outcome.success ? UnpackedText : NotUnpackedText);
    SetStatusText("");
    if (outcome.success) {
        openThemeBox.Send(BM_SETCHECK, LoadOpenThemeAfterUnpack() ? BST_CHECKED : BST_UNCHECKED);
        if (!themeFilePath.IsEmpty() && ThemeFilesOpenWithThemeManager())
            ShowWindow(openThemeBox.Handle(), SW_SHOW);
    }
    // The check box takes the animation's place.
    animation.Send(ACM_STOP);
    ShowWindow(animation.Handle(), SW_HIDE);
    if (application != nullptr)
        application->AdjustWaitCursor(-1);
    return -1;
}

bool UnpackPage::OnWizardFinish()
{
    const bool isChecked = openThemeBox.Send(BM_GETCHECK) != 0;
    StoreOpenThemeAfterUnpack(isChecked);
    // Only a box the user could see asks for the theme to be opened.
    if (isChecked && IsWindowVisible(openThemeBox.Handle()))
        ShellOpen(nullptr, themeFilePath.Text(), SW_HIDE);
    return true;
}

void UnpackPage::AppendLog(const char* line)
{
    log.AppendLog(line);
}

void UnpackPage::SetProgressPosition(int position)
{
    progressBar.Send(PBM_SETPOS, static_cast<WPARAM>(position));
    // No messages are pumped while the engine runs: paint the bar now, so
    // that the user sees it move.
    UpdateWindow(progressBar.Handle());
}

void UnpackPage::SetStatusText(const char* text)
{
    SetWindowTextA(statusText.Handle(), text);
    UpdateWindow(statusText.Handle());
}
