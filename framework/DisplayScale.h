// The display scale a window is drawn at, and lengths of the 96-DPI drawing carried over to it.
#pragma once

#include <windows.h>

// The dots per inch at which every drawing of the program was made, and
// at which the system shows it unscaled.
constexpr int DefaultDpi = 96;

// The dots per inch window is drawn at: GetDpiForWindow, bound at run time
// by name (Windows 10 and later); on older systems, which have one scale
// for every monitor, the screen's.
int WindowDpi(HWND window);

// A length of the 96-DPI drawing at dpi, rounded to the nearest pixel,
// halves away from zero, so that offsets from either edge mirror each other.
int ScaledToDpi(int length, int dpi);
