// UnpackPage: the controls the engine drives, Next and Finish.
#include "wizard/UnpackPage.h"

#include <commctrl.h>

#include "framework/Application.h"
#include "framework/SystemLibraries.h"
#include "install/ExtractFiles.h"
#include "install/Settings.h"
#include "package/ThemePackage.h"
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
    SetMainText("");
    SetStatusText("");
    const ThemePackage& package = Package();
    ExtractFiles(*this, package.archivePath, package.files, sheet.destination, themeFilePath);
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

void UnpackPage::AppendLog(const char* text)
{
    log.AppendLog(text);
}

void UnpackPage::SetProgressRange(int low, int high)
{
    progressBar.Send(PBM_SETRANGE, 0, MAKELPARAM(low, high));
}

void UnpackPage::SetProgressPosition(int position)
{
    progressBar.Send(PBM_SETPOS, static_cast<WPARAM>(position));
    // No messages are pumped while the engine runs: paint the bar now, so
    // that the user sees it move.
    UpdateWindow(progressBar.Handle());
}

void UnpackPage::SetMainText(const char* text)
{
    SetWindowTextA(mainText.Handle(), text);
}

void UnpackPage::SetStatusText(const char* text)
{
    SetWindowTextA(statusText.Handle(), text);
    UpdateWindow(statusText.Handle());
}

void UnpackPage::PostWizardButtons(DWORD mask)
{
    WizardPage::PostWizardButtons(mask);
}

void UnpackPage::DisableCancel()
{
    EnableWindow(GetDlgItem(GetParent(handle), IDCANCEL), FALSE);
}

void UnpackPage::SetCheck(bool checked)
{
    openThemeBox.Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

void UnpackPage::ShowCheckBox()
{
    ShowWindow(openThemeBox.Handle(), SW_SHOW);
}

void UnpackPage::StopAnimation()
{
    animation.Send(ACM_STOP);
    ShowWindow(animation.Handle(), SW_HIDE);
}

void UnpackPage::AdjustWaitCursor(int delta)
{
    if (Application* application = CurrentApplication())
        application->AdjustWaitCursor(delta);
}
