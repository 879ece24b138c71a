// CommandState and CommandProbe: enabling, checking and relabelling menu items and controls.
#include "framework/CommandState.h"

#include "framework/Window.h"

void CommandState::Enable(bool on)
{
    if (menu != nullptr) {
        if (menuLock == 0)
            EnableMenuItem(menu, index, on ? MF_BYPOSITION : MF_BYPOSITION | MF_DISABLED | MF_GRAYED);
    } else {
        // A disabled control cannot keep the focus: hand it to the next tab stop first.
        if (!on && GetFocus() == control) {
            HWND next = GetNextDlgTabItem(GetParent(control), control, FALSE);
            if (next != nullptr)
                SetFocus(next);
        }
        EnableWindow(control, on ? TRUE : FALSE);
    }
    handled = 1;
}

void CommandState::SetCheck(int state)
{
    if (menu != nullptr) {
        if (menuLock == 0)
            CheckMenuItem(menu, index, state != 0 ? MF_BYPOSITION | MF_CHECKED : MF_BYPOSITION);
    } else if ((SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) != 0) {
        SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(state), 0);
    }
}

void CommandState::SetRadio(bool on)
{
    SetCheck(on ? 1 : 0);
}

void CommandState::SetText(const char* text)
{
    if (menu != nullptr) {
        if (menuLock != 0)
            return;
        UINT flags = GetMenuState(menu, index, MF_BYPOSITION);
        flags = (flags & ~(MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR)) | MF_BYPOSITION;
        ModifyMenuA(menu, index, flags, id, text);
    } else {
        SetWindowTextA(control, text);
    }
}

void CommandState::PassOn()
{
    passOn = 1;
}

bool CommandState::Update(Window* target, bool disableIfUnhandled)
{
    if (id == 0 || LOWORD(id) == 0xFFFF)
        return true;
    handled = 0;
    const bool result = target->RouteCommand(id, 0, nullptr, this);
    if (disableIfUnhandled && handled == 0)
        Enable(result);
    return result;
}

void CommandProbe::Enable(bool on)
{
    handled = 1;
    enabled = on ? 1 : 0;
}

void CommandProbe::SetCheck(int)
{
}

void CommandProbe::SetRadio(bool)
{
}

void CommandProbe::SetText(const char*)
{
}
