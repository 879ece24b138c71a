// WindowDriver: window search by process, control snapshots and button presses.
#include "tests/e2e/WindowDriver.h"

#include "tests/e2e/TestProcess.h"

namespace {

constexpr DWORD kPollMs = 50;
// A program that does not answer a message within this time counts as hung.
constexpr UINT kAnswerTimeoutMs = 5000;

struct TopWindowSearch {
    DWORD processId;
    const char* className;
    const char* caption;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopWindow(HWND window, LPARAM lParam)
{
    TopWindowSearch& search = *reinterpret_cast<TopWindowSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !IsWindowVisible(window))
        return TRUE;
    if (search.className && ClassName(window) != search.className)
        return TRUE;
    if (search.caption && WindowText(window) != search.caption)
        return TRUE;
    search.found.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectControl(HWND window, LPARAM lParam)
{
    Control control;
    control.handle = window;
    control.id = GetDlgCtrlID(window);
    control.className = ClassName(window);
    control.text = WindowText(window);
    control.style = GetWindowLongPtrA(window, GWL_STYLE);
    control.isEnabled = IsWindowEnabled(window) != FALSE;
    control.isVisible = IsWindowVisible(window) != FALSE;
    reinterpret_cast<std::vector<Control>*>(lParam)->push_back(control);
    return TRUE;
}

}  // namespace

std::vector<HWND> FindTopWindows(DWORD processId, const char* className, const char* caption)
{
    TopWindowSearch search{processId, className, caption, {}};
    EnumWindows(CollectTopWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForTopWindow(const TestProcess& process, const char* className, const char* caption,
                      DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            const std::vector<HWND> windows = FindTopWindows(process.Id(), className, caption);
            found = windows.empty() ? nullptr : windows.front();
            return found || !process.IsRunning();
        },
        timeoutMs);
    return found;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(kPollMs);
    }
}

std::string WindowText(HWND window)
{
    DWORD_PTR length = 0;
    if (!SendToWindow(window, WM_GETTEXTLENGTH, 0, 0, length))
        return std::string();
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendToWindow(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), copied))
        return std::string();
    text.resize(copied < length ? copied : length);
    return text;
}

std::string ClassName(HWND window)
{
    char name[256];
    const int length = GetClassNameA(window, name, sizeof(name));
    return std::string(name, length > 0 ? length : 0);
}

std::vector<Control> ListControls(HWND parent)
{
    std::vector<Control> controls;
    EnumChildWindows(parent, CollectControl, reinterpret_cast<LPARAM>(&controls));
    return controls;
}

const Control* FindControl(const std::vector<Control>& controls, int id)
{
    for (const Control& control : controls) {
        if (control.id == id)
            return &control;
    }
    return nullptr;
}

const Control* FindVisibleControl(const std::vector<Control>& controls, int id)
{
    for (const Control& control : controls) {
        if (control.id == id && control.isVisible)
            return &control;
    }
    return nullptr;
}

std::vector<std::string> VisibleTexts(const std::vector<Control>& controls, const char* className)
{
    std::vector<std::string> texts;
    for (const Control& control : controls) {
        if (control.isVisible && control.className == className)
            texts.push_back(control.text);
    }
    return texts;
}

bool SendToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& result)
{
    result = 0;
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &result) != 0;
}

bool PressButton(HWND button)
{
    DWORD_PTR result;
    return SendToWindow(button, BM_CLICK, 0, 0, result);
}

int CheckState(HWND button)
{
    DWORD_PTR state;
    return SendToWindow(button, BM_GETCHECK, 0, 0, state) ? static_cast<int>(state) : -1;
}
