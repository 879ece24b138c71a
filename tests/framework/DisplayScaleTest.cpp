// The display scale: a window's dots per inch and lengths of the 96-DPI drawing carried over to it.
#include <gtest/gtest.h>

#include "framework/DisplayScale.h"
#include "tests/framework/FrameworkTestSupport.h"

TEST(DisplayScale, LengthsGrowWithTheScaleAndMirrorAroundZero)
{
    const struct {
        int length, dpi, expected;
    } rows[] = {
        {7, 96, 7},   {-7, 96, -7}, {1, 144, 2},  {-1, 144, -2}, {2, 144, 3},
        {-3, 144, -5}, {5, 192, 10}, {-5, 192, -10}, {4, 120, 5},  {1, 120, 1},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.expected, ScaledToDpi(row.length, row.dpi)) << row.length << " at " << row.dpi;
}

TEST(DisplayScale, AWindowIsDrawnAtTheScreensScale)
{
    HWND window = CreateWindowExA(0, PlainWindowClass, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, window);
    HDC screen = GetDC(nullptr);
    const int screenDpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(screenDpi, WindowDpi(window));
    DestroyWindow(window);
    EXPECT_EQ(screenDpi, WindowDpi(window)) << "a window that is gone gets the screen's scale";
}
