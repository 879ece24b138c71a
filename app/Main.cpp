// The entry function and the installer's one static application object.
#include <windows.h>

#include "app/InstallerApp.h"
#include "framework/SystemLibraries.h"

// Constructed before WinMain runs; registers itself as the current application.
InstallerApp installerApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
{
    // Before anything else is loaded: nothing beside the package may be.
    RestrictLibrarySearch();
    return CurrentApplication()->Start(instance, commandLine, showCommand);
}
