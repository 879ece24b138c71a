// Window: binding objects to handles: the handle map, the window and dialog procedures, the creation hook, creation.
#include "framework/Window.h"

#include "framework/HandleMap.h"
#include "framework/WindowHost.h"

namespace {

// The hook procedure has no context of its own, so the one user-interface
// thread's hook keeps its state here, where only the hook's functions see it.
struct HookState {
    HHOOK hook = nullptr;
    Window* pendingWindow = nullptr;
};

HookState hookState;

// On HCBT_CREATEWND, subclasses the pending object to the new window.
LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && hookState.pendingWindow != nullptr) {
        // Cleared first, so that a window OnAttach might create is not bound to the same object.
        Window* window = hookState.pendingWindow;
        hookState.pendingWindow = nullptr;
        window->Subclass(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(hookState.hook, code, wParam, lParam);
}

}  // namespace

void ArmCreationHook(Window* window)
{
    if (hookState.hook == nullptr)
        hookState.hook = SetWindowsHookExA(WH_CBT, CreationHook, nullptr, GetCurrentThreadId());
    hookState.pendingWindow = window;
}

bool DisarmCreationHook()
{
    if (hookState.hook != nullptr) {
        UnhookWindowsHookEx(hookState.hook);
        hookState.hook = nullptr;
    }
    return true;
}

bool IsCreationHookInstalled()
{
    return hookState.hook != nullptr;
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* object = Window::FromHandle(window);
    if (object == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    const LRESULT result = object->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // Looked up again: the handler may have ended the binding itself.
        if (Window* bound = Window::FromHandle(window))
            bound->ForgetDestroyedWindow();
    }
    return result;
}

INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return 0;
    Window* object = Window::FromHandle(window);
    if (object == nullptr)
        return 1;
    return object->OnInitDialog() ? 1 : 0;
}

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
    WindowHost* host = CurrentHost();
    if (host == nullptr || host->Handles() == nullptr || window == nullptr)
        return nullptr;
    return host->Handles()->Lookup(window);
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

bool Window::Attach(HWND newHandle)
{
    WindowHost* host = CurrentHost();
    if (handle != nullptr || newHandle == nullptr || host == nullptr || host->Handles() == nullptr)
        return false;
    if (host->Handles()->Lookup(newHandle) != nullptr)
        return false;
    handle = newHandle;
    host->Handles()->Insert(newHandle, this);
    return true;
}

HWND Window::Detach()
{
    HWND old = handle;
    WindowHost* host = CurrentHost();
    if (old != nullptr && host != nullptr && host->Handles() != nullptr && host->Handles()->Lookup(old) == this)
        host->Handles()->Remove(old);
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

