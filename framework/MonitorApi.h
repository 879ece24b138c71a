// The system's monitor functions, bound at run time by name, and their single-monitor substitutes.
#pragma once

#include <windows.h>

// The handle the substitutes give for the one pseudo monitor covering the screen.
inline const HMONITOR PRIMARY_MONITOR_PSEUDO = reinterpret_cast<HMONITOR>(static_cast<UINT_PTR>(0x12340042));

// Binds the seven functions on first use, all or none; true when the
// multi-monitor ones are available. None of them is imported, so the program
// starts on systems that lack them.
bool BindMonitorApi();

// MonitorFromRect, MonitorFromWindow and GetMonitorInfoA, or their substitutes.
HMONITOR QueryMonitorFromRect(const RECT& rect, DWORD flags);
HMONITOR QueryMonitorFromWindow(HWND window, DWORD flags);
bool QueryMonitorInfo(HMONITOR monitor, MONITORINFO* info);

// For tests: true switches to the substitutes; false makes the next query bind again.
void UseMonitorSubstitutes(bool on);
