// The walks that offer messages to window objects.
#include "framework/MessageRouting.h"

#include "framework/Window.h"

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
