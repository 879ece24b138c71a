// InstallerApp::Initialize: the loader's straight sequence from start-up to clean-up.
#include "app/InstallerApp.h"

#include <commctrl.h>

#include "app/InstallerCommandLine.h"
#include "framework/SystemLibraries.h"
#include "package/InstallerMessages.h"
#include "wizard/WizardSheet.h"

bool InstallerApp::Initialize()
{
    SetTitle("Vistaloom");
    InitializeCommonControls();
    InstallerCommandLine commandLineRecord;
    ReadCommandLine(commandLineRecord);

    String executablePath;
    GetModuleFileNameA(instance, executablePath.ReserveBuffer(MAX_PATH), MAX_PATH);
    executablePath.CommitBuffer(-1);

    const LoadFailure failure = package.Load(executablePath.Text());
    if (failure != LoadFailure::None) {
        ShowMessage(LoadFailureMessage(failure), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    RunWizard();
    package.DeleteTemporaryFiles();
    return false;
}

void InstallerApp::RunWizard()
{
    WizardSheet wizard(package);
    // Finish and Cancel end the run alike; the pages have done their work.
    wizard.DoModal();
}
