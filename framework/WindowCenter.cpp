// Window::Center: placement in the middle of the owner, kept inside the monitor's work area.
#include "framework/WindowHost.h"
#include "framework/MonitorApi.h"
#include "framework/Window.h"

void Window::Center()
{
    const LONG_PTR style = GetWindowLongPtrA(handle, GWL_STYLE);
    const bool isChild = (style & WS_CHILD) != 0;
    HWND reference = isChild ? GetParent(handle) : GetWindow(handle, GW_OWNER);

    RECT window;
    GetWindowRect(handle, &window);

    RECT area;
    RECT bounds;
    if (isChild) {
        HWND parent = GetParent(handle);
        GetClientRect(parent, &bounds);
        GetClientRect(reference, &area);
        MapWindowPoints(reference, parent, reinterpret_cast<POINT*>(&area), 2);
    } else {
        if (reference != nullptr) {
            const LONG_PTR referenceStyle = GetWindowLongPtrA(reference, GWL_STYLE);
            if ((referenceStyle & WS_VISIBLE) == 0 || (referenceStyle & WS_MINIMIZE) != 0)
                reference = nullptr;
        }
        MONITORINFO info = {};
        info.cbSize = sizeof(info);
        HMONITOR monitor;
        if (reference == nullptr) {
            HWND main = MainWindowHandle();
            monitor = QueryMonitorFromWindow(main != nullptr ? main : GetDesktopWindow(), MONITOR_DEFAULTTOPRIMARY);
        } else {
            GetWindowRect(reference, &area);
            monitor = QueryMonitorFromWindow(reference, MONITOR_DEFAULTTONEAREST);
        }
        // Without monitor information the whole screen is the limit.
        if (!QueryMonitorInfo(monitor, &info))
            SetRect(&info.rcWork, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        bounds = info.rcWork;
        if (reference == nullptr)
            area = bounds;
    }

    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    int x = (area.left + area.right) / 2 - width / 2;
    int y = (area.top + area.bottom) / 2 - height / 2;
    // Right and bottom first, then left and top: a window larger than the
    // bounds always starts at their left and top edges, so that its caption
    // and system menu stay on the screen.
    if (x + width > bounds.right)
        x = bounds.right - width;
    if (x < bounds.left)
        x = bounds.left;
    if (y + height > bounds.bottom)
        y = bounds.bottom - height;
    if (y < bounds.top)
        y = bounds.top;
    SetWindowPos(handle, nullptr, x, y, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
