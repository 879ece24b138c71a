// Window: the default handlers and the small window operations.
#include "framework/Window.h"

#include "base/String.h"

void Window::OnAttach()
{
}

void Window::OnDetached()
{
}

void Window::OnDrawItem(DRAWITEMSTRUCT*)
{
}

void Window::OnMeasureItem(MEASUREITEMSTRUCT*)
{
}

void Window::OnIdleUpdate()
{
}

bool Window::OnNotify(NMHDR*, WPARAM, LRESULT*)
{
    return false;
}

bool Window::RouteCommand(UINT, UINT, void*, CommandState*)
{
    return false;
}

bool Window::OnReflectedCommand(UINT)
{
    return false;
}

bool Window::PreTranslate(MSG*)
{
    return false;
}

bool Window::FilterDialogInput(MSG* message)
{
    const UINT number = message->message;
    // Keyboard and mouse messages, both ranges inclusive.
    const bool isKeyboard = number >= WM_KEYFIRST && number <= ClassicKeyLastMessage;
    const bool isMouse = number >= WM_MOUSEFIRST && number <= WM_MBUTTONDBLCLK;
    if (!isKeyboard && !isMouse)
        return false;
    return IsDialogMessageA(handle, message) != FALSE;
}

bool Window::OnInitDialog()
{
    return true;
}

void Window::TakeSmallIconFromParent()
{
    HWND parent = GetParent(handle);
    if (parent == nullptr)
        return;
    const LRESULT icon = SendMessageA(parent, WM_GETICON, ICON_SMALL, 0);
    if (icon != 0)
        Send(WM_SETICON, ICON_SMALL, icon);
}

void Window::GetText(String& out) const
{
    const int length = GetWindowTextLengthA(handle);
    if (length <= 0) {
        out = "";
        return;
    }
    GetWindowTextA(handle, out.ReserveBuffer(length), length + 1);
    out.CommitBuffer(-1);
}

void Window::ScreenToClientRect(RECT& rect) const
{
    ScreenToClient(handle, reinterpret_cast<POINT*>(&rect.left));
    ScreenToClient(handle, reinterpret_cast<POINT*>(&rect.right));
}

void Window::ClientToScreenRect(RECT& rect) const
{
    ClientToScreen(handle, reinterpret_cast<POINT*>(&rect.left));
    ClientToScreen(handle, reinterpret_cast<POINT*>(&rect.right));
}

namespace {

bool ModifyLong(HWND window, int index, DWORD remove, DWORD add, UINT swpFlags)
{
    const DWORD old = static_cast<DWORD>(GetWindowLongPtrA(window, index));
    const DWORD changed = (old & ~remove) | add;
    if (changed == old)
        return false;
    SetWindowLongPtrA(window, index, static_cast<LONG_PTR>(changed));
    if (swpFlags != 0)
        SetWindowPos(window, nullptr, 0, 0, 0, 0, swpFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

}  // namespace

bool Window::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags)
{
    return ModifyLong(handle, GWL_STYLE, remove, add, swpFlags);
}

bool Window::ModifyExStyle(DWORD remove, DWORD add, UINT swpFlags)
{
    return ModifyLong(handle, GWL_EXSTYLE, remove, add, swpFlags);
}

LRESULT Window::Send(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return SendMessageA(handle, message, wParam, lParam);
}

bool Window::Post(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return PostMessageA(handle, message, wParam, lParam) != FALSE;
}
