// DemoWalk: drives a package's wizard through every page as a user would and saves a picture of each page.
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/e2e/ScreenPicture.h"
#include "tests/e2e/WizardDriver.h"

namespace {

// Long enough for a person watching to follow, and for the page to be drawn.
constexpr DWORD kPauseMs = 1500;

bool Picture(const WizardDriver& wizard, const std::string& folder, const char* name)
{
    Sleep(kPauseMs);
    const std::string path = folder + name + ".bmp";
    RECT window = {};
    ScreenPicture picture;
    const bool saved = GetWindowRect(wizard.Sheet(), &window) && picture.Take(window) && picture.Save(path);
    std::printf("%s %s\n", saved ? "saved" : "could not save", path.c_str());
    return saved;
}

bool NextTo(const WizardDriver& wizard, WizardPage page)
{
    return wizard.Click(kNextButton) && wizard.WaitForPage(page);
}

}  // namespace

// Arguments: the package and the folder for the pictures (ending in a backslash).
int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: demo_walk PACKAGE PICTURE-FOLDER\\\n");
        return 2;
    }
    const std::string folder = argv[2];
    TestProcess installer;
    std::string error;
    if (!installer.Start(argv[1], {}, "", error)) {
        std::fprintf(stderr, "demo_walk: %s\n", error.c_str());
        return 1;
    }
    WizardDriver wizard(installer);
    bool walked = wizard.WaitForWizard() && Picture(wizard, folder, "1-welcome") &&
                  NextTo(wizard, WizardPage::Preview) && Picture(wizard, folder, "2-preview") &&
                  NextTo(wizard, WizardPage::Description) && Picture(wizard, folder, "3-description") &&
                  NextTo(wizard, WizardPage::Destination) && Picture(wizard, folder, "4-destination") &&
                  wizard.Click(kNextButton);
    if (walked) {
        // The default folder is new on a fresh system: the wizard asks first.
        const MessageBoxView question = wizard.WaitForQuestion(3000);
        if (question.window != nullptr)
            wizard.Answer(question, "&Yes");
        walked = wizard.WaitForPage(WizardPage::Unpack) && Picture(wizard, folder, "5-unpack") &&
                 wizard.Click(kNextButton) &&
                 WaitUntil([&] { return wizard.IsEnabled(kFinishButton) && !wizard.IsEnabled(kNextButton); }) &&
                 Picture(wizard, folder, "6-finished") && wizard.Click(kFinishButton) &&
                 installer.WaitForExit(kWindowTimeoutMs);
    }
    if (!walked) {
        std::fprintf(stderr, "demo_walk: the wizard did not go through its pages\n");
        return 1;
    }
    std::printf("installed; the package exited with status %lu\n", installer.ExitCode());
    return 0;
}
