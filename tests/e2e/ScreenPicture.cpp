// ScreenPicture: copies a screen rectangle through a memory device and reads its pixels back.
#include "tests/e2e/ScreenPicture.h"

#include "tests/support/TestFiles.h"

namespace {

DWORD RowBytes(LONG width)
{
    return (static_cast<DWORD>(width) * 3 + 3) & ~3u;
}

}  // namespace

bool ScreenPicture::Take(const RECT& area)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, picture);
    // Only what lies on the screen: Wine copies nothing at all from an
    // area reaching past its edge. The rest stays black.
    RECT shown = {};
    const RECT screenArea = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    PatBlt(memory, 0, 0, width, height, BLACKNESS);
    if (IntersectRect(&shown, &area, &screenArea))
        BitBlt(memory, shown.left - area.left, shown.top - area.top, shown.right - shown.left,
               shown.bottom - shown.top, screen, shown.left, shown.top, SRCCOPY);
    SelectObject(memory, previous);

    info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    pixels.assign(RowBytes(width) * static_cast<DWORD>(height), '\0');
    const int rows = GetDIBits(memory, picture, 0, static_cast<UINT>(height), &pixels[0],
                               reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return rows == height;
}

COLORREF ScreenPicture::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= Width() || y >= Height())
        return CLR_INVALID;
    const size_t at = RowBytes(info.biWidth) * static_cast<size_t>(Height() - 1 - y) + static_cast<size_t>(x) * 3;
    const auto byte = [&](size_t index) { return static_cast<unsigned char>(pixels[at + index]); };
    return RGB(byte(2), byte(1), byte(0));
}

bool ScreenPicture::Save(const std::string& path) const
{
    std::string file = "BM";
    file.resize(14, '\0');
    PutField32(file, 2, static_cast<uint32_t>(14 + sizeof info + pixels.size()));
    PutField32(file, 10, static_cast<uint32_t>(14 + sizeof info));
    file.append(reinterpret_cast<const char*>(&info), sizeof info);
    return WriteFileBytes(path, file + pixels);
}

RECT ClientOnScreen(HWND window)
{
    RECT client = {};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return client;
}
