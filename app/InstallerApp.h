// InstallerApp: the installer's one application object; its Initialize is the package loader.
#pragma once

#include "framework/Application.h"
#include "loader/ThemePackage.h"

// The static application object of the installer. Owns the ThemePackage from
// process start to process end.
class InstallerApp : public Application {
public:
    ~InstallerApp() override = default;

    // Loads the package, runs the wizard and cleans up; always false, so the
    // application never runs a message loop of its own.
    bool Initialize() override;

private:
    // Builds the wizard and runs it modally; the temporary files are deleted
    // after it has returned.
    void RunWizard();

    ThemePackage package;
};
