// WizardDriver: the installer's wizard as a user meets it: its pages, its buttons, its questions.
#pragma once

#include <windows.h>

#include <string>

#include "tests/e2e/MessageBoxView.h"
#include "tests/e2e/TestProcess.h"

// The pages a user can be on, told apart by a control only that page has.
enum class WizardPage { None, Welcome, Preview, Description, Destination, Unpack };

const char* PageName(WizardPage page);

// What the unpack page says when the run ends, with and without a failure.
constexpr char kSuccessText[] = "The theme has been sucessfully unpackaed!\n\nClick Finish to close this dialog.";
constexpr char kFailureText[] =
    "There were errors which prevented the package from being unpacked.\nPlease examine the log below for messages.";

// The wizard's own buttons.
constexpr int kBackButton = 0x3023;
constexpr int kNextButton = 0x3024;
constexpr int kFinishButton = 0x3025;
constexpr int kCancelButton = IDCANCEL;

// One running installer's wizard window. Holds no handle it must release.
class WizardDriver {
public:
    explicit WizardDriver(const TestProcess& process) : process(process) {}

    // Waits for the wizard to show; false when it did not within the timeout.
    bool WaitForWizard();
    HWND Sheet() const { return sheet; }
    WizardPage CurrentPage() const;
    // Waits until page is shown (true) or the timeout passes.
    bool WaitForPage(WizardPage page) const;

    // A control of the current page, or of the sheet for the buttons; null when absent.
    HWND Item(int id) const;
    std::string Text(int id) const;
    bool SetText(int id, const std::string& text) const;
    bool IsVisible(int id) const;
    bool IsEnabled(int id) const;
    // "Back+ Next+ Finish- Cancel+": what each button shows, + enabled,
    // - disabled, ? hidden; one string to compare rows against.
    std::string Buttons() const;

    // Clicks a button without waiting for what it starts: a message box,
    // another page or the end of the program.
    bool Click(int id) const;
    // Clicks the way a hand on the mouse does, through the system's input,
    // which a disabled window never receives.
    bool ClickWithMouse(int id) const;
    // The message box the wizard shows now, or an empty view after the timeout.
    MessageBoxView WaitForQuestion(DWORD timeoutMs = kWindowTimeoutMs) const;
    // Clicks the button of the box with this text ("OK", "&Yes", "&No").
    bool Answer(const MessageBoxView& box, const char* buttonText) const;

private:
    HWND CurrentPageWindow() const;

    const TestProcess& process;
    HWND sheet = nullptr;
};
