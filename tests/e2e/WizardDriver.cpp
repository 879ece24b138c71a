// WizardDriver: pages found by their controls, clicks posted or sent as mouse input.
#include "tests/e2e/WizardDriver.h"

#include <commctrl.h>

#include "res/resource.h"

namespace {

constexpr char kWizardCaption[] = "Vistaloom Theme Package";

struct PageMark {
    WizardPage page;
    int controlId;
    const char* name;
};

const PageMark kPageMarks[] = {
    {WizardPage::Welcome, IDC_WEBSITE_LINK, "welcome"},
    {WizardPage::Preview, IDC_PREVIEW_PICTURE, "preview"},
    {WizardPage::Description, IDC_DESCRIPTION_EDIT, "description"},
    {WizardPage::Destination, IDC_DESTINATION_EDIT, "destination"},
    {WizardPage::Unpack, IDC_LOG, "unpack"},
};

bool IsButtonId(int id)
{
    return id == kBackButton || id == kNextButton || id == kFinishButton || id == kCancelButton;
}

}  // namespace

const char* PageName(WizardPage page)
{
    for (const PageMark& mark : kPageMarks) {
        if (mark.page == page)
            return mark.name;
    }
    return "none";
}

bool WizardDriver::WaitForWizard()
{
    sheet = WaitForTopWindow(process, nullptr, kWizardCaption);
    return sheet != nullptr && WaitUntil([&] { return CurrentPage() != WizardPage::None; });
}

HWND WizardDriver::CurrentPageWindow() const
{
    DWORD_PTR page = 0;
    if (sheet == nullptr || !SendToWindow(sheet, PSM_GETCURRENTPAGEHWND, 0, 0, page))
        return nullptr;
    return reinterpret_cast<HWND>(page);
}

WizardPage WizardDriver::CurrentPage() const
{
    HWND page = CurrentPageWindow();
    if (page == nullptr || !IsWindowVisible(page))
        return WizardPage::None;
    for (const PageMark& mark : kPageMarks) {
        if (GetDlgItem(page, mark.controlId) != nullptr)
            return mark.page;
    }
    return WizardPage::None;
}

bool WizardDriver::WaitForPage(WizardPage page) const
{
    return WaitUntil([&] { return CurrentPage() == page; });
}

HWND WizardDriver::Item(int id) const
{
    if (IsButtonId(id))
        return GetDlgItem(sheet, id);
    HWND page = CurrentPageWindow();
    return page != nullptr ? GetDlgItem(page, id) : nullptr;
}

std::string WizardDriver::Text(int id) const
{
    HWND control = Item(id);
    return control != nullptr ? WindowText(control) : std::string();
}

bool WizardDriver::SetText(int id, const std::string& text) const
{
    DWORD_PTR result = 0;
    HWND control = Item(id);
    return control != nullptr && SendToWindow(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), result);
}

bool WizardDriver::IsVisible(int id) const
{
    HWND control = Item(id);
    return control != nullptr && IsWindowVisible(control);
}

bool WizardDriver::IsEnabled(int id) const
{
    HWND control = Item(id);
    return control != nullptr && IsWindowEnabled(control);
}

std::string WizardDriver::Buttons() const
{
    const struct {
        int id;
        const char* name;
    } buttons[] = {{kBackButton, "Back"}, {kNextButton, "Next"}, {kFinishButton, "Finish"}, {kCancelButton, "Cancel"}};
    std::string states;
    for (const auto& button : buttons) {
        if (!states.empty())
            states += ' ';
        states += button.name;
        states += !IsVisible(button.id) ? '?' : IsEnabled(button.id) ? '+' : '-';
    }
    return states;
}

bool WizardDriver::Click(int id) const
{
    HWND control = Item(id);
    return control != nullptr && PostMessageA(control, BM_CLICK, 0, 0) != FALSE;
}

bool WizardDriver::ClickWithMouse(int id) const
{
    HWND control = Item(id);
    RECT rect;
    if (control == nullptr || !GetWindowRect(control, &rect))
        return false;
    if (!SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2))
        return false;
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    return SendInput(2, inputs, sizeof(INPUT)) == 2;
}

MessageBoxView WizardDriver::WaitForQuestion(DWORD timeoutMs) const
{
    MessageBoxView box;
    box.Read(WaitForMessageBox(process, "Vistaloom", timeoutMs));
    return box;
}

bool WizardDriver::Answer(const MessageBoxView& box, const char* buttonText) const
{
    for (const Control& control : box.controls) {
        if (control.isVisible && control.className == "Button" && control.text == buttonText)
            return PostMessageA(control.handle, BM_CLICK, 0, 0) != FALSE;
    }
    return false;
}
