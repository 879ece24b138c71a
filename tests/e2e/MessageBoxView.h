// MessageBoxView: what the user sees of one message box of another process.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/WindowDriver.h"

// The system draws message-box text in a static control with this id, on
// Windows and under Wine alike.
constexpr int kMessageBoxTextId = 0xFFFF;

// A snapshot of one message box: its caption, its text, the buttons it shows
// and whether it shows an icon. Holds no handle it must release.
struct MessageBoxView {
    HWND window = nullptr;
    std::string caption;
    std::string text;
    std::vector<std::string> buttons;  // texts of the visible buttons
    bool hasIcon = false;
    HWND okButton = nullptr;           // the visible IDOK button, if any
    std::vector<Control> controls;

    // Reads the message box window; the view is empty when window is null.
    void Read(HWND box);
    // One line per control, for failure messages.
    std::string Describe() const;
};

// Waits for a message box (a dialog-class top-level window) of process with
// this caption, or with any caption when it is null; null when none appeared
// within the timeout.
HWND WaitForMessageBox(const TestProcess& process, const char* caption = nullptr,
                       DWORD timeoutMs = kWindowTimeoutMs);
