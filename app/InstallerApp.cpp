// InstallerApp::Initialize: the loader's straight sequence from start-up to clean-up.
#include "app/InstallerApp.h"

#include <commctrl.h>

#include "app/InstallerCommandLine.h"

InstallerApp& CurrentInstaller()
{
    return *static_cast<InstallerApp*>(CurrentApplication());
}

bool InstallerApp::Initialize()
{
    SetTitle("Vistaloom");
    InitCommonControls();
    InstallerCommandLine commandLineRecord;
    ReadCommandLine(commandLineRecord);

    String executablePath;
    GetModuleFileNameA(instance, executablePath.ReserveBuffer(MAX_PATH), MAX_PATH);
    executablePath.CommitBuffer(-1);

    if (const char* failure = package.Load(executablePath.Text())) {
        ShowMessage(failure, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    RunWizard();
    package.DeleteTemporaryFiles();
    return false;
}

void InstallerApp::RunWizard()
{
}
