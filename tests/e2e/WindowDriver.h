// WindowDriver: finding another process's windows, reading their controls and pressing buttons.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class TestProcess;

// How long a test waits for a window or a state: Wine takes one to three
// seconds to start a program, more on a loaded machine.
constexpr DWORD kWindowTimeoutMs = 20000;

// One child control as the user sees it, read at one moment.
struct Control {
    HWND handle = nullptr;
    int id = 0;
    std::string className;
    std::string text;
    LONG_PTR style = 0;
    bool isEnabled = false;
    bool isVisible = false;
};

// The visible top-level windows of a process whose class and caption equal the
// given ones; a null className or caption matches any.
std::vector<HWND> FindTopWindows(DWORD processId, const char* className, const char* caption);

// Polls until a visible top-level window of process matches, the process ends
// or timeoutMs pass; null in the last two cases.
HWND WaitForTopWindow(const TestProcess& process, const char* className, const char* caption,
                      DWORD timeoutMs = kWindowTimeoutMs);

// Polls condition until it holds (true) or timeoutMs pass (false).
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kWindowTimeoutMs);

// The window's text through WM_GETTEXT, which also reaches edit and rich-edit
// controls of other processes; empty when the window does not answer.
std::string WindowText(HWND window);
std::string ClassName(HWND window);

// Every descendant of parent (the controls of nested pages included), in the
// order the system enumerates them.
std::vector<Control> ListControls(HWND parent);

// The first control with this id, or null.
const Control* FindControl(const std::vector<Control>& controls, int id);
// The first visible control with this id, or null: a wizard keeps the
// controls of hidden pages.
const Control* FindVisibleControl(const std::vector<Control>& controls, int id);

// The texts of the visible controls of one class ("Button", "Static"...).
std::vector<std::string> VisibleTexts(const std::vector<Control>& controls, const char* className);

// Sends a message to a window of another process: one without pointers, or
// one like WM_GETTEXT whose buffer the system copies across;
// false when the window did not answer within a few seconds (a hung program
// fails the test instead of stopping it).
bool SendToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& result);

// Clicks a button as the user would; false when it did not answer in time.
bool PressButton(HWND button);
// BST_CHECKED, BST_UNCHECKED or BST_INDETERMINATE; -1 when it did not answer.
int CheckState(HWND button);
