// Centring on the owner inside the work area, with the system's monitor functions and with the substitutes.
#include <gtest/gtest.h>

#include "framework/MonitorApi.h"
#include "framework/Window.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace {

const RECT TestWorkArea = {100, 50, 900, 700};

enum class OwnerState { None, Visible, Hidden, Minimized };

struct CenterRow {
    const char* name;
    OwnerState ownerState;
    RECT owner;
    SIZE window;
    POINT expected;
};

// Both ways of finding the work area see the same rows.
class CenterTest : public testing::TestWithParam<bool> {
protected:
    void SetUp() override { UseMonitorSubstitutes(GetParam()); }
    void TearDown() override { UseMonitorSubstitutes(false); }
};

// Plain pop-ups, so that the rectangles given are the window rectangles.
bool CreatePopup(Window& window, HWND owner, const RECT& rect, DWORD extraStyle)
{
    return window.CreateEx(0, PlainWindowClass, "", WS_POPUP | extraStyle, rect.left, rect.top,
                           rect.right - rect.left, rect.bottom - rect.top, owner, nullptr, nullptr);
}

POINT TopLeft(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    return {rect.left, rect.top};
}

}  // namespace

TEST_P(CenterTest, TopLevelWindowIsCentredOnItsOwnerInsideTheWorkArea)
{
    // The substitutes read the work area that the test sets; Wine's
    // GetMonitorInfoA keeps reporting its own, so the rows are relative to it.
    // Asked through the framework (which only passes the call on) so that
    // this program imports no monitor function either.
    WorkAreaScope workArea(TestWorkArea);
    RECT w = TestWorkArea;
    if (!GetParam()) {
        MONITORINFO info = {};
        info.cbSize = sizeof(info);
        ASSERT_TRUE(QueryMonitorInfo(QueryMonitorFromWindow(GetDesktopWindow(), MONITOR_DEFAULTTOPRIMARY), &info));
        w = info.rcWork;
    }
    const int midX = (w.left + w.right) / 2;
    const int midY = (w.top + w.bottom) / 2;
    const int wide = w.right - w.left + 200;
    const int tall = w.bottom - w.top + 100;
    const RECT owner = {w.left + 100, w.top + 100, w.left + 500, w.top + 400};

    const CenterRow rows[] = {
        {"no owner: middle of the work area", OwnerState::None, {}, {200, 100}, {midX - 100, midY - 50}},
        {"visible owner", OwnerState::Visible, owner, {200, 100}, {w.left + 200, w.top + 200}},
        {"hidden owner is ignored", OwnerState::Hidden, owner, {200, 100}, {midX - 100, midY - 50}},
        {"minimised owner is ignored", OwnerState::Minimized, owner, {200, 100}, {midX - 100, midY - 50}},
        {"owner centre 100 px from the left edge", OwnerState::Visible, {w.left, w.top + 100, w.left + 200, w.top + 400},
         {300, 100}, {w.left, w.top + 200}},
        {"owner near the right edge", OwnerState::Visible, {w.right - 200, w.top + 100, w.right, w.top + 400},
         {300, 100}, {w.right - 300, w.top + 200}},
        {"owner near the bottom edge", OwnerState::Visible, {w.left + 100, w.bottom - 100, w.left + 300, w.bottom},
         {200, 300}, {w.left + 100, w.bottom - 300}},
        {"wider than the work area, no owner", OwnerState::None, {}, {wide, 100}, {w.left, midY - 50}},
        {"wider than the work area, owner on the right", OwnerState::Visible,
         {w.right - 200, w.top + 100, w.right, w.top + 400}, {wide, 100}, {w.left, w.top + 200}},
        {"taller than the work area, owner low", OwnerState::Visible,
         {w.left + 100, w.bottom - 200, w.left + 300, w.bottom}, {200, tall}, {w.left + 100, w.top}},
    };
    for (const auto& row : rows) {
        Window ownerWindow;
        if (row.ownerState != OwnerState::None) {
            const DWORD style = row.ownerState == OwnerState::Hidden ? 0 : WS_VISIBLE;
            ASSERT_TRUE(CreatePopup(ownerWindow, nullptr, row.owner, style)) << row.name;
            if (row.ownerState == OwnerState::Minimized)
                ShowWindow(ownerWindow.Handle(), SW_MINIMIZE);
        }
        Window window;
        const RECT start = {0, 0, row.window.cx, row.window.cy};
        ASSERT_TRUE(CreatePopup(window, ownerWindow.Handle(), start, 0)) << row.name;
        window.Center();
        const POINT placed = TopLeft(window.Handle());
        EXPECT_EQ(row.expected.x, placed.x) << row.name;
        EXPECT_EQ(row.expected.y, placed.y) << row.name;
        RECT size;
        GetWindowRect(window.Handle(), &size);
        EXPECT_EQ(row.window.cx, size.right - size.left) << row.name << ": the size changed";
    }
}

TEST_P(CenterTest, ChildWindowIsCentredInItsParentsClientArea)
{
    Window parent;
    ASSERT_TRUE(CreatePopup(parent, nullptr, {50, 50, 450, 350}, WS_VISIBLE));
    Window child;
    ASSERT_TRUE(child.Create(PlainWindowClass, "", WS_VISIBLE, {0, 0, 100, 50}, parent.Handle(), 1));
    child.Center();
    RECT rect;
    GetWindowRect(child.Handle(), &rect);
    MapWindowPoints(nullptr, parent.Handle(), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(150, rect.left);
    EXPECT_EQ(125, rect.top);
}

INSTANTIATE_TEST_SUITE_P(MonitorFunctions, CenterTest, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "Substitutes" : "System";
                         });

TEST(MonitorApi, WineHasTheMonitorFunctions)
{
    UseMonitorSubstitutes(false);
    EXPECT_TRUE(BindMonitorApi());
    MONITORINFOEXA info = {};
    info.cbSize = sizeof(info);
    EXPECT_TRUE(QueryMonitorInfo(QueryMonitorFromWindow(GetDesktopWindow(), MONITOR_DEFAULTTOPRIMARY), &info));
    EXPECT_EQ(static_cast<DWORD>(MONITORINFOF_PRIMARY), info.dwFlags & MONITORINFOF_PRIMARY);
}

TEST(MonitorApi, SubstituteMonitorFromRectWithoutDefault)
{
    UseMonitorSubstitutes(true);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const struct {
        const char* name;
        RECT rect;
        DWORD flags;
        bool expectMonitor;
    } rows[] = {
        {"inside", {10, 10, 20, 20}, MONITOR_DEFAULTTONULL, true},
        {"reaching in from the top left", {-10, -10, 1, 1}, MONITOR_DEFAULTTONULL, true},
        {"left of the screen", {-50, 10, 0, 20}, MONITOR_DEFAULTTONULL, false},
        {"above the screen", {10, -50, 20, 0}, MONITOR_DEFAULTTONULL, false},
        {"starting at the screen's width", {width, 10, width + 10, 20}, MONITOR_DEFAULTTONULL, false},
        {"starting at the screen's height", {10, height, 20, height + 10}, MONITOR_DEFAULTTONULL, false},
        {"outside, default to primary", {-50, -50, -10, -10}, MONITOR_DEFAULTTOPRIMARY, true},
        {"outside, default to nearest", {-50, -50, -10, -10}, MONITOR_DEFAULTTONEAREST, true},
    };
    for (const auto& row : rows) {
        const HMONITOR monitor = QueryMonitorFromRect(row.rect, row.flags);
        EXPECT_EQ(row.expectMonitor ? PRIMARY_MONITOR_PSEUDO : nullptr, monitor) << row.name;
    }
    UseMonitorSubstitutes(false);
}

TEST(MonitorApi, SubstituteMonitorFromWindowUsesTheNormalPositionOfAMinimisedWindow)
{
    UseMonitorSubstitutes(true);
    Window offScreen;
    ASSERT_TRUE(CreatePopup(offScreen, nullptr, {-500, -500, -400, -400}, 0));
    EXPECT_EQ(nullptr, QueryMonitorFromWindow(offScreen.Handle(), MONITOR_DEFAULTTONULL));
    EXPECT_EQ(PRIMARY_MONITOR_PSEUDO, QueryMonitorFromWindow(offScreen.Handle(), MONITOR_DEFAULTTONEAREST));

    Window minimized;
    ASSERT_TRUE(CreatePopup(minimized, nullptr, {100, 100, 200, 200}, WS_VISIBLE));
    ShowWindow(minimized.Handle(), SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(minimized.Handle()));
    EXPECT_EQ(PRIMARY_MONITOR_PSEUDO, QueryMonitorFromWindow(minimized.Handle(), MONITOR_DEFAULTTONULL));
    UseMonitorSubstitutes(false);
}

TEST(MonitorApi, SubstituteMonitorInfo)
{
    UseMonitorSubstitutes(true);
    WorkAreaScope workArea(TestWorkArea);
    const struct {
        const char* name;
        HMONITOR monitor;
        DWORD size;
        bool expected;
        const char* device;
    } rows[] = {
        {"short record", PRIMARY_MONITOR_PSEUDO, sizeof(MONITORINFO), true, "untouched"},
        {"record with device name", PRIMARY_MONITOR_PSEUDO, sizeof(MONITORINFOEXA), true, "DISPLAY"},
        {"record too small", PRIMARY_MONITOR_PSEUDO, sizeof(MONITORINFO) - 1, false, "untouched"},
        {"another monitor", reinterpret_cast<HMONITOR>(static_cast<UINT_PTR>(0x1234)), sizeof(MONITORINFOEXA), false,
         "untouched"},
    };
    for (const auto& row : rows) {
        MONITORINFOEXA info = {};
        info.cbSize = row.size;
        lstrcpyA(info.szDevice, "untouched");
        EXPECT_EQ(row.expected, QueryMonitorInfo(row.monitor, &info)) << row.name;
        EXPECT_STREQ(row.device, info.szDevice) << row.name;
        if (!row.expected)
            continue;
        EXPECT_TRUE(EqualRect(&info.rcWork, &TestWorkArea)) << row.name;
        EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), info.rcMonitor.right) << row.name;
        EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), info.rcMonitor.bottom) << row.name;
        EXPECT_EQ(static_cast<DWORD>(MONITORINFOF_PRIMARY), info.dwFlags) << row.name;
    }
    EXPECT_FALSE(QueryMonitorInfo(PRIMARY_MONITOR_PSEUDO, nullptr));
    UseMonitorSubstitutes(false);
}
