// DestinationPage: the folder browser and the validation of the destination.
#include "wizard/DestinationPage.h"

#include "framework/Application.h"
#include "base/FileFinder.h"
#include "framework/SystemLibraries.h"
#include "res/resource.h"
#include "wizard/WizardSheet.h"

DestinationPage::DestinationPage(WizardSheet& sheet) : WizardPage(IDD_DESTINATION, sheet) {}

bool DestinationPage::OnInitDialog()
{
    Dialog::OnInitDialog();
    ShowSideImage();
    pathEdit.Subclass(GetDlgItem(handle, IDC_DESTINATION_EDIT));
    SetWindowTextA(pathEdit.Handle(), sheet.defaultDestination.Text());
    return true;
}

bool DestinationPage::OnSetActive()
{
    PostWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return true;
}

bool DestinationPage::RouteCommand(UINT id, UINT code, void* extra, CommandState* probe)
{
    if (probe == nullptr && id == IDC_BROWSE)
        Browse();
    return WizardPage::RouteCommand(id, code, extra, probe);
}

LRESULT DestinationPage::OnWizardBack()
{
    return sheet.PageBefore(IDD_DESTINATION);
}

void DestinationPage::Browse()
{
    String folder;
    char* buffer = folder.ReserveBuffer(MAX_PATH);
    BROWSEINFOA info = {};
    info.hwndOwner = handle;
    info.pszDisplayName = buffer;
    info.lpszTitle = "Please select the destination folder.";
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST chosen = ShellBrowseForFolder(&info);
    if (chosen == nullptr)
        return;
    const bool hasPath = ShellPathOf(chosen, buffer);
    ShellFree(chosen);
    // A choice without a file-system path leaves the entry as it was.
    if (hasPath) {
        folder.CommitBuffer(-1);
        SetWindowTextA(pathEdit.Handle(), folder.Text());
    }
}

LRESULT DestinationPage::StayInEdit()
{
    SetFocus(pathEdit.Handle());
    return -1;
}

LRESULT DestinationPage::OnWizardNext()
{
    String& destination = sheet.destination;
    pathEdit.GetText(destination);
    Application* application = CurrentApplication();
    if (destination.IsEmpty()) {
        application->ShowMessage("Please enter a destination for the theme!", MB_OK | MB_ICONEXCLAMATION);
        return StayInEdit();
    }
    // Only one: a path typed with two trailing backslashes keeps one.
    if (destination[destination.Length() - 1] == '\\')
        destination = destination.Left(destination.Length() - 1);
    // Any match counts, a file of that name too; the extraction creates
    // whatever folders are missing.
    FileFinder finder;
    const bool exists = finder.Find(destination.Text());
    finder.Close();
    if (!exists && application->ShowMessage("Destination folder does not exist! Would you like to create it?",
                                            MB_YESNO | MB_ICONQUESTION) == IDNO)
        return StayInEdit();
    destination.Append('\\');
    return 0;
}
