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
    int dpi = getDpiForWindow != nullptr ? static_cast<int>(getDpiForWindow(window)) : 0;
    if (dpi <= 0) {
        WindowDC screen(nullptr);
        dpi = GetDeviceCaps(screen.Handle(), LOGPIXELSY);
    }
    return dpi > 0 ? dpi : DefaultDpi;
}

int ScaledToDpi(int length, int dpi)
{
    return MulDiv(length, dpi, DefaultDpi);
}
