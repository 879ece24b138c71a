// FindModalOwner: owner choice for message boxes and modal windows.
#include "framework/FindModalOwner.h"

#include "framework/WindowHost.h"

HWND FindModalOwner(HWND window, HWND* disabledOut)
{
    HWND owner = window != nullptr ? window : MainWindowHandle();
    while (owner != nullptr && (GetWindowLongPtrA(owner, GWL_STYLE) & WS_CHILD) != 0)
        owner = GetParent(owner);

    HWND top = owner;
    for (HWND parent = top != nullptr ? GetParent(top) : nullptr; parent != nullptr; parent = GetParent(parent))
        top = parent;

    if (window == nullptr && owner != nullptr)
        owner = GetLastActivePopup(owner);

    if (disabledOut != nullptr) {
        *disabledOut = nullptr;
        if (top != nullptr && IsWindowEnabled(top) && top != owner) {
            *disabledOut = top;
            EnableWindow(top, FALSE);
        }
    }
    return owner;
}
