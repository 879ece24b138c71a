// The system's monitor functions, bound at run time by name, and their single-monitor substitutes.
#include "framework/MonitorApi.h"

#include "framework/SystemLibraries.h"

namespace {

using GetSystemMetricsFunction = int(WINAPI*)(int);
using MonitorFromWindowFunction = HMONITOR(WINAPI*)(HWND, DWORD);
using MonitorFromRectFunction = HMONITOR(WINAPI*)(LPCRECT, DWORD);
using MonitorFromPointFunction = HMONITOR(WINAPI*)(POINT, DWORD);
using EnumDisplayMonitorsFunction = BOOL(WINAPI*)(HDC, LPCRECT, MONITORENUMPROC, LPARAM);
using GetMonitorInfoFunction = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);
using EnumDisplayDevicesFunction = BOOL(WINAPI*)(LPCSTR, DWORD, PDISPLAY_DEVICEA, DWORD);

// Process-wide, written once by the first query.
struct MonitorFunctions {
    GetSystemMetricsFunction getSystemMetrics;
    MonitorFromWindowFunction monitorFromWindow;
    MonitorFromRectFunction monitorFromRect;
    MonitorFromPointFunction monitorFromPoint;
    EnumDisplayMonitorsFunction enumDisplayMonitors;
    GetMonitorInfoFunction getMonitorInfo;
    EnumDisplayDevicesFunction enumDisplayDevices;
    bool isLookedUp;
};

MonitorFunctions functions = {};

constexpr DWORD DefaultToPrimaryOrNearest = MONITOR_DEFAULTTOPRIMARY | MONITOR_DEFAULTTONEAREST;
constexpr DWORD MonitorInfoSize = sizeof(MONITORINFO);
constexpr DWORD MonitorInfoExSize = sizeof(MONITORINFOEXA);

}  // namespace

bool BindMonitorApi()
{
    if (functions.isLookedUp)
        return functions.getMonitorInfo != nullptr;
    HMODULE user = GetModuleHandleA("USER32");
    const bool complete = user != nullptr && BindFunction(user, "GetSystemMetrics", functions.getSystemMetrics) &&
                          BindFunction(user, "MonitorFromWindow", functions.monitorFromWindow) &&
                          BindFunction(user, "MonitorFromRect", functions.monitorFromRect) &&
                          BindFunction(user, "MonitorFromPoint", functions.monitorFromPoint) &&
                          BindFunction(user, "EnumDisplayMonitors", functions.enumDisplayMonitors) &&
                          BindFunction(user, "GetMonitorInfoA", functions.getMonitorInfo) &&
                          BindFunction(user, "EnumDisplayDevicesA", functions.enumDisplayDevices);
    // All together or not at all.
    if (!complete)
        functions = {};
    functions.isLookedUp = true;
    return complete;
}

void UseMonitorSubstitutes(bool on)
{
    functions = {};
    functions.isLookedUp = on;
}

HMONITOR QueryMonitorFromRect(const RECT& rect, DWORD flags)
{
    if (BindMonitorApi())
        return functions.monitorFromRect(&rect, flags);
    if ((flags & DefaultToPrimaryOrNearest) != 0)
        return PRIMARY_MONITOR_PSEUDO;
    if (rect.right > 0 && rect.bottom > 0 && rect.left < GetSystemMetrics(SM_CXSCREEN) &&
        rect.top < GetSystemMetrics(SM_CYSCREEN))
        return PRIMARY_MONITOR_PSEUDO;
    return nullptr;
}

HMONITOR QueryMonitorFromWindow(HWND window, DWORD flags)
{
    if (BindMonitorApi())
        return functions.monitorFromWindow(window, flags);
    if ((flags & DefaultToPrimaryOrNearest) != 0)
        return PRIMARY_MONITOR_PSEUDO;
    RECT rect;
    if (IsIconic(window)) {
        WINDOWPLACEMENT placement = {};
        placement.length = sizeof(placement);
        if (!GetWindowPlacement(window, &placement))
            return nullptr;
        rect = placement.rcNormalPosition;
    } else if (!GetWindowRect(window, &rect)) {
        return nullptr;
    }
    return QueryMonitorFromRect(rect, flags);
}

bool QueryMonitorInfo(HMONITOR monitor, MONITORINFO* info)
{
    if (BindMonitorApi())
        return functions.getMonitorInfo(monitor, info) != FALSE;
    RECT work;
    if (monitor != PRIMARY_MONITOR_PSEUDO || info == nullptr || info->cbSize < MonitorInfoSize ||
        !SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0))
        return false;
    SetRect(&info->rcMonitor, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    info->rcWork = work;
    info->dwFlags = MONITORINFOF_PRIMARY;
    if (info->cbSize >= MonitorInfoExSize)
        lstrcpyA(reinterpret_cast<MONITORINFOEXA*>(info)->szDevice, "DISPLAY");
    return true;
}
