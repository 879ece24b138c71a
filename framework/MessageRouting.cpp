// The window and dialog procedures of bound windows, and the walks that offer messages to window objects.
#include "framework/MessageRouting.h"

#include "framework/Window.h"

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

void BroadcastToChildren(HWND parent, UINT message, WPARAM wParam, LPARAM lParam)
{
    for (HWND child = GetTopWindow(parent); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (Window* object = Window::FromHandle(child))
            object->HandleMessage(message, wParam, lParam);
    }
}

bool PreTranslateWalk(HWND stop, MSG* message)
{
    for (HWND window = message->hwnd; window != nullptr; window = GetParent(window)) {
        Window* object = Window::FromHandle(window);
        if (object != nullptr && object->PreTranslate(message))
            return true;
        if (window == stop)
            break;
    }
    return false;
}
