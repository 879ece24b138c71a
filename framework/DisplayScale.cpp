// The display scale a window is drawn at, from the newer per-window function or the screen's.
#include "framework/DisplayScale.h"

#include "framework/DeviceContext.h"
#include "framework/SystemLibraries.h"

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// Process-wide, looked up once by the first query.
GetDpiForWindowFunction getDpiForWindow = nullptr;
bool isLookedUp = false;

}  // namespace

int WindowDpi(HWND window)
{
    if (!isLookedUp) {
        BindFunction(GetModuleHandleA("USER32"), "GetDpiForWindow", getDpiForWindow);
        isLookedUp = true;
    }
    // The system answers 0 for a window that is gone.
    if (getDpiForWindow != nullptr) {
        const int dpi = static_cast<int>(getDpiForWindow(window));
        if (dpi != 0)
            return dpi;
    }
    WindowDC screen(nullptr);
    return GetDeviceCaps(screen.Handle(), LOGPIXELSY);
}

int ScaledToDpi(int length, int dpi)
{
    return MulDiv(length, dpi, DefaultDpi);
}
