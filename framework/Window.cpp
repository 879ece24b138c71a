// Window: binding to handles, creation, default handlers and the small window operations.
#include "framework/Window.h"

#include "framework/Application.h"
#include "framework/CreationHook.h"
#include "framework/HandleMap.h"
#include "framework/MessageRouting.h"
#include "base/String.h"

Window::~Window()
{
    // Runs as the base class: the window's last messages get default processing,
    // and WM_NCDESTROY ends the binding.
    if (handle != nullptr && IsWindow(handle))
        Window::Destroy();
    // A window that would not go away keeps working without this object.
    if (handle != nullptr) {
        if (previousProcedure != nullptr && IsWindow(handle))
            SetWindowLongPtrA(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProcedure));
        previousProcedure = nullptr;
        Detach();
    }
}

Window* Window::FromHandle(HWND window)
{
    Application* application = CurrentApplication();
    if (application == nullptr || application->Handles() == nullptr || window == nullptr)
        return nullptr;
    return application->Handles()->Lookup(window);
}

void Window::OnAttach()
{
}

bool Window::Create(const char* className, const char* windowName, DWORD style, const RECT& rect, HWND parent,
                    UINT id)
{
    return CreateEx(0, className, windowName, style | WS_CHILD, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr);
}

bool Window::PreCreate(CREATESTRUCTA&)
{
    return true;
}

bool Window::Destroy()
{
    if (handle == nullptr)
        return false;
    return DestroyWindow(handle) != FALSE;
}

void Window::Unsubclass()
{
    if (previousProcedure != nullptr) {
        SetWindowLongPtrA(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProcedure));
        // Forgotten, so that the object can later serve another window.
        previousProcedure = nullptr;
    }
    Detach();
    OnDetached();
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

bool Window::Attach(HWND newHandle)
{
    Application* application = CurrentApplication();
    if (handle != nullptr || newHandle == nullptr || application == nullptr || application->Handles() == nullptr)
        return false;
    if (application->Handles()->Lookup(newHandle) != nullptr)
        return false;
    handle = newHandle;
    application->Handles()->Insert(newHandle, this);
    return true;
}

HWND Window::Detach()
{
    HWND old = handle;
    Application* application = CurrentApplication();
    if (old != nullptr && application != nullptr && application->Handles() != nullptr &&
        application->Handles()->Lookup(old) == this)
        application->Handles()->Remove(old);
    handle = nullptr;
    return old;
}

void Window::ForgetDestroyedWindow()
{
    previousProcedure = nullptr;
    Detach();
    // A modal loop of a window that is gone would never end.
    if ((stateFlags & ModalKeepRunning) != 0) {
        stateFlags &= ~ModalKeepRunning;
        PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
    }
}

bool Window::Subclass(HWND newHandle)
{
    if (!Attach(newHandle))
        return false;
    OnAttach();
    const WNDPROC old = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProcedure)));
    if (previousProcedure == nullptr && old != WindowProcedure)
        previousProcedure = old;
    return true;
}

bool Window::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                      int width, int height, HWND parent, HMENU menuOrId, void* param)
{
    CREATESTRUCTA parameters = {};
    parameters.lpCreateParams = param;
    parameters.hInstance = InstanceHandle();
    parameters.hMenu = menuOrId;
    parameters.hwndParent = parent;
    parameters.cy = height;
    parameters.cx = width;
    parameters.y = y;
    parameters.x = x;
    parameters.style = static_cast<LONG>(style);
    parameters.lpszName = windowName;
    parameters.lpszClass = className;
    parameters.dwExStyle = exStyle;
    if (!PreCreate(parameters)) {
        OnDetached();
        return false;
    }
    ArmCreationHook(this);
    HWND created = CreateWindowExA(parameters.dwExStyle, parameters.lpszClass, parameters.lpszName,
                                   static_cast<DWORD>(parameters.style), parameters.x, parameters.y, parameters.cx,
                                   parameters.cy, parameters.hwndParent, parameters.hMenu, parameters.hInstance,
                                   parameters.lpCreateParams);
    DisarmCreationHook();
    return created != nullptr;
}

bool Window::CreateFromTemplate(const DLGTEMPLATE* dialogTemplate, HWND parent)
{
    ArmCreationHook(this);
    stateFlags |= ModalKeepRunning;
    modalResult = -1;
    HWND created = CreateDialogIndirectParamA(InstanceHandle(), dialogTemplate, parent, DialogProcedure, 0);
    DisarmCreationHook();
    return created != nullptr;
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
