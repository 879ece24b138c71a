// ScreenPicture: a part of the screen as a user sees it, taken once, for reading pixels and saving as a bitmap file.
#pragma once

#include <windows.h>

#include <string>

// A copy of a screen rectangle in 24-bit colour, rows bottom-up as a bitmap
// file holds them. Holds no handle.
class ScreenPicture {
public:
    // Copies area (screen coordinates) from the screen, black where it lies
    // off the screen; false when it could not.
    bool Take(const RECT& area);
    int Width() const { return static_cast<int>(info.biWidth); }
    int Height() const { return static_cast<int>(info.biHeight); }
    // The colour at (x, y) from the area's top-left corner; CLR_INVALID outside.
    COLORREF Pixel(int x, int y) const;
    // The picture as a bitmap file.
    bool Save(const std::string& path) const;

private:
    BITMAPINFOHEADER info = {};
    std::string pixels;
};

// The screen rectangle of window's client area.
RECT ClientOnScreen(HWND window);
