// MessageBoxView: reading the caption, text, buttons and icon of a message box.
#include "tests/e2e/MessageBoxView.h"

#include <cstdio>

namespace {

constexpr char kDialogClass[] = "#32770";

bool ShowsIcon(const Control& control)
{
    if (!control.isVisible || control.className != "Static" || (control.style & SS_TYPEMASK) != SS_ICON)
        return false;
    // Which icon it is cannot be told from another process: icon handles are
    // the loading process's own under Wine.
    DWORD_PTR icon;
    return SendToWindow(control.handle, STM_GETICON, 0, 0, icon) && icon != 0;
}

}  // namespace

void MessageBoxView::Read(HWND box)
{
    *this = MessageBoxView();
    if (!box)
        return;
    window = box;
    caption = WindowText(box);
    controls = ListControls(box);
    if (const Control* label = FindControl(controls, kMessageBoxTextId))
        text = label->text;
    buttons = VisibleTexts(controls, "Button");
    for (const Control& control : controls) {
        hasIcon = hasIcon || ShowsIcon(control);
        if (control.id == IDOK && control.isVisible && control.className == "Button")
            okButton = control.handle;
    }
}

std::string MessageBoxView::Describe() const
{
    std::string lines = "caption \"" + caption + "\"\n";
    for (const Control& control : controls) {
        char line[128];
        snprintf(line, sizeof(line), "  id 0x%X %s style 0x%llX%s%s: ", control.id, control.className.c_str(),
                 static_cast<unsigned long long>(control.style), control.isVisible ? "" : " hidden",
                 control.isEnabled ? "" : " disabled");
        lines += line + ("\"" + control.text + "\"\n");
    }
    return lines;
}

HWND WaitForMessageBox(const TestProcess& process, const char* caption, DWORD timeoutMs)
{
    return WaitForTopWindow(process, kDialogClass, caption, timeoutMs);
}
