// ShadedProgressBar: its tones, and the bar a user sees on a real progress control.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <string>

#include "wizard/ShadedProgressBar.h"
#include "tests/framework/FrameworkTestSupport.h"

TEST(ShadedProgressBar, TonesStepBy51PerChannelAndStopAtTheByteEnds)
{
    const struct {
        const char* name;
        COLORREF base, darkShadow, shadow;
        COLORREF expected[ShadePalette::EntryCount];
    } rows[] = {
        {"navy, black and grey shadows", RGB(0, 0, 128), RGB(0, 0, 0), RGB(128, 128, 128),
         {RGB(0, 0, 128), RGB(51, 51, 179), RGB(102, 102, 230), RGB(153, 153, 255), RGB(0, 0, 77), RGB(0, 0, 26),
          RGB(0, 0, 0), RGB(64, 64, 64), RGB(128, 128, 128)}},
        {"bytes near both ends, odd shadow differences", RGB(230, 60, 204), RGB(0, 255, 7), RGB(129, 0, 8),
         {RGB(230, 60, 204), RGB(255, 111, 255), RGB(255, 162, 255), RGB(255, 213, 255), RGB(179, 9, 153),
          RGB(128, 0, 102), RGB(0, 255, 7), RGB(64, 127, 7), RGB(129, 0, 8)}},
    };
    for (const auto& row : rows) {
        ShadePalette palette;
        palette.Compute(row.base, row.darkShadow, row.shadow);
        for (int entry = 0; entry < ShadePalette::EntryCount; ++entry)
            EXPECT_EQ(row.expected[entry], palette.Color(ShadePalette::Entry(entry))) << row.name << ": c" << entry;
    }
}

namespace {

// A progress control of the given client size in a top-level window of its
// own at left, 40 on the screen, served by a shading ShadedProgressBar.
// Topmost and apart from each other, so that no window hides the pixels read.
class BarWindow {
public:
    BarWindow(int left, DWORD style, int width, int height)
    {
        parent = CreateWindowExA(WS_EX_TOPMOST, PlainWindowClass, "", WS_POPUP | WS_VISIBLE, left, 40, width + 40,
                                 height + 40, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        HWND control = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE | style, 10, 10, width, height,
                                       parent, nullptr, GetModuleHandleA(nullptr), nullptr);
        // The control may give itself a border; the client is what is drawn.
        RECT client = {};
        GetClientRect(control, &client);
        SetWindowPos(control, nullptr, 0, 0, 2 * width - client.right, 2 * height - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER);
        bar.Subclass(control);
        attachedBase = bar.Palette() != nullptr ? bar.Palette()->Color(ShadePalette::Base) : CLR_INVALID;
        bar.SetShadeColor(RGB(0, 0, 128));
        bar.EnableShading(true);
    }
    ~BarWindow() { DestroyWindow(parent); }

    // count pixels from (x, y) in steps of (dx, dy), each named by its
    // palette entry '0' to '8', 'f' for the face colour, or '?'.
    std::string Read(int x, int y, int dx, int dy, size_t count) const
    {
        std::string seen;
        HDC dc = GetDC(bar.Handle());
        for (; seen.size() < count; x += dx, y += dy) {
            const COLORREF pixel = GetPixel(dc, x, y);
            char name = pixel == GetSysColor(COLOR_BTNFACE) ? 'f' : '?';
            for (int entry = 0; name == '?' && entry < ShadePalette::EntryCount; ++entry)
                name = pixel == bar.Palette()->Color(ShadePalette::Entry(entry)) ? char('0' + entry) : '?';
            seen += name;
        }
        ReleaseDC(bar.Handle(), dc);
        return seen;
    }

    HWND parent = nullptr;
    ShadedProgressBar bar;
    COLORREF attachedBase = CLR_INVALID;
};

}  // namespace

TEST(ShadedProgressBar, ShowsTheFilledPartShadedWithItsShadowBeyondTheEnd)
{
    InitCommonControls();
    BarWindow lying(40, 0, 200, 20);
    BarWindow upright(320, PBS_VERTICAL, 20, 100);
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), lying.attachedBase) << "binding did not take the highlight colour";

    // In the order a run moves the bar: the end must be redrawn each time.
    const struct {
        const char* name;
        bool isUpright;
        int low, high, position;
        int x, y, dx, dy;
        const char* expected;
    } rows[] = {
        {"empty: face only, no shadow", false, 0, 100, 0, 0, 10, 1, 0, "ffff"},
        {"half: across the bar", false, 0, 100, 50, 50, 0, 0, 1, "40123333333333321045"},
        {"half: the start", false, 0, 100, 50, 0, 10, 1, 0, "0333"},
        {"half: the end and its shadow", false, 0, 100, 50, 95, 10, 1, 0, "3324578fff"},
        {"full: the earlier end is gone", false, 0, 100, 100, 45, 10, 1, 0, "33333"},
        {"full: the end at the edge, shadow clipped", false, 0, 100, 100, 195, 10, 1, 0, "33245"},
        {"back to half: the end drawn again", false, 0, 100, 50, 95, 10, 1, 0, "3324578fff"},
        {"range with equal ends: face only", false, 5, 5, 5, 0, 10, 1, 0, "ffff"},
        {"upright half: across the bar", true, 0, 100, 50, 0, 75, 1, 0, "40123333333333321045"},
        {"upright half: the end and the shadow above", true, 0, 100, 50, 10, 46, 0, 1, "ff8754233"},
        {"upright half: the start at the bottom", true, 0, 100, 50, 10, 97, 0, 1, "330"},
    };
    for (const auto& row : rows) {
        BarWindow& window = row.isUpright ? upright : lying;
        window.bar.Send(PBM_SETRANGE, 0, MAKELPARAM(row.low, row.high));
        window.bar.Send(PBM_SETPOS, static_cast<WPARAM>(row.position));
        UpdateWindow(window.bar.Handle());
        EXPECT_EQ(row.expected, window.Read(row.x, row.y, row.dx, row.dy, std::strlen(row.expected))) << row.name;
    }
}
