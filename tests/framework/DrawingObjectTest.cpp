// Drawing objects and device contexts: each handle released exactly once, and what they draw on screen.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "framework/DeviceContext.h"
#include "framework/GdiObject.h"
#include "framework/Window.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace {

// Borrowed for the length of a scope.
class ScreenDC {
public:
    ScreenDC() : dc(GetDC(nullptr)) {}
    ~ScreenDC() { ReleaseDC(nullptr, dc); }
    HDC dc;
};

// Writes a 24-bit bottom-up bitmap file of width x height pixels, all one colour.
bool WriteBitmapFile(const char* path, int width, int height)
{
    const int rowSize = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(rowSize * height);
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    FILE* out = std::fopen(path, "wb");
    if (out == nullptr)
        return false;
    std::fwrite(&file, sizeof(file), 1, out);
    std::fwrite(&info, sizeof(info), 1, out);
    const unsigned char row[16] = {0x20, 0x40, 0x80, 0x20, 0x40, 0x80, 0x20, 0x40, 0x80, 0x20, 0x40, 0x80};
    for (int y = 0; y < height; ++y)
        std::fwrite(row, static_cast<size_t>(rowSize), 1, out);
    return std::fclose(out) == 0;
}

std::string TemporaryPath(const char* name)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

}  // namespace

TEST(DrawingObjects, EachKindReleasesItsHandleExactlyOnce)
{
    ScreenDC screen;
    LOGFONTA description = {};
    description.lfHeight = -12;
    lstrcpyA(description.lfFaceName, "Arial");
    const struct {
        const char* name;
        DWORD type;
        std::function<GdiObject*()> make;
        std::function<bool(GdiObject&)> create;
    } rows[] = {
        {"brush", OBJ_BRUSH, [] { return new Brush; },
         [](GdiObject& object) { return static_cast<Brush&>(object).CreateSolid(RGB(1, 2, 3)); }},
        {"pen", OBJ_PEN, [] { return new Pen; },
         [](GdiObject& object) { return static_cast<Pen&>(object).Create(PS_SOLID, 2, RGB(1, 2, 3)); }},
        {"bitmap", OBJ_BITMAP, [] { return new Bitmap; },
         [&](GdiObject& object) { return static_cast<Bitmap&>(object).CreateCompatible(screen.dc, 8, 4); }},
        {"font", OBJ_FONT, [] { return new Font; },
         [&](GdiObject& object) { return static_cast<Font&>(object).CreateFromDescription(description); }},
    };
    for (const auto& row : rows) {
        GdiObject* object = row.make();
        EXPECT_EQ(FALSE, object->Delete()) << row.name << ": deleting an empty wrapper";

        ASSERT_TRUE(row.create(*object)) << row.name;
        HGDIOBJ first = object->Handle();
        EXPECT_EQ(row.type, GetObjectType(first)) << row.name;

        ASSERT_TRUE(row.create(*object)) << row.name;
        HGDIOBJ second = object->Handle();
        EXPECT_EQ(row.type, GetObjectType(second)) << row.name;
        if (second != first) {
            EXPECT_EQ(0u, GetObjectType(first)) << row.name << ": re-creating kept the first handle";
        }

        EXPECT_NE(FALSE, object->Delete()) << row.name;
        EXPECT_EQ(nullptr, object->Handle()) << row.name;
        EXPECT_EQ(0u, GetObjectType(second)) << row.name;

        ASSERT_TRUE(row.create(*object)) << row.name;
        HGDIOBJ third = object->Handle();
        delete object;
        EXPECT_EQ(0u, GetObjectType(third)) << row.name << ": the destructor kept the handle";
    }
}

TEST(DrawingObjects, BitmapLoadsFromAFileAndAMissingFileLeavesItEmpty)
{
    const std::string path = TemporaryPath("framework-test-3x2.bmp");
    ASSERT_TRUE(WriteBitmapFile(path.c_str(), 3, 2));

    Bitmap bitmap;
    ASSERT_TRUE(bitmap.Load(path.c_str(), 0, 0, LR_LOADFROMFILE));
    BITMAP info = {};
    ASSERT_NE(0, GetObjectA(bitmap.Handle(), sizeof(info), &info));
    EXPECT_EQ(3, info.bmWidth);
    EXPECT_EQ(2, info.bmHeight);

    HGDIOBJ loaded = bitmap.Handle();
    const std::string missing = TemporaryPath("framework-test-missing.bmp");
    DeleteFileA(missing.c_str());
    EXPECT_FALSE(bitmap.Load(missing.c_str(), 0, 0, LR_LOADFROMFILE));
    EXPECT_EQ(nullptr, bitmap.Handle());
    EXPECT_EQ(0u, GetObjectType(loaded)) << "the previous bitmap was not released";
    DeleteFileA(path.c_str());
}

TEST(DrawingObjects, StretchedCopyIsSmoothKeepsItsFirstPixelAndIsCutToItsSize)
{
    // Two columns, black and white, stretched onto 6 columns of which the
    // copy keeps the first 4.
    ScreenDC screen;
    Bitmap source;
    ASSERT_TRUE(source.CreateCompatible(screen.dc, 2, 1));
    {
        DeviceContext dc;
        ASSERT_TRUE(dc.CreateCompatible(screen.dc));
        ObjectSelection selection(dc.Handle(), source.Handle());
        SetPixelV(dc.Handle(), 0, 0, RGB(0, 0, 0));
        SetPixelV(dc.Handle(), 1, 0, RGB(255, 255, 255));
    }
    Bitmap copy;
    ASSERT_TRUE(copy.CreateStretched(source.Get(), {2, 1}, {4, 1}, {0, 0, 6, 1}));
    BITMAP info = {};
    ASSERT_NE(0, GetObjectA(copy.Handle(), sizeof(info), &info));
    EXPECT_EQ(4, info.bmWidth);
    DeviceContext dc;
    ASSERT_TRUE(dc.CreateCompatible(screen.dc));
    ObjectSelection selection(dc.Handle(), copy.Handle());
    EXPECT_EQ(RGB(0, 0, 0), GetPixel(dc.Handle(), 0, 0)) << "first pixel";
    const COLORREF between = GetPixel(dc.Handle(), 1, 0);
    EXPECT_TRUE(GetRValue(between) > 0 && GetRValue(between) < 255) << "no blend where black meets white: " << between;
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(dc.Handle(), 3, 0)) << "last pixel";
}

TEST(DrawingObjects, DeviceContextsOwnOrBorrowTheirHandles)
{
    ScreenDC screen;
    {
        DeviceContext borrowed(screen.dc);
        EXPECT_EQ(screen.dc, borrowed.Handle());
    }
    EXPECT_EQ(static_cast<DWORD>(OBJ_DC), GetObjectType(screen.dc)) << "a borrowed device was deleted";

    HDC owned = nullptr;
    {
        DeviceContext memory;
        ASSERT_TRUE(memory.CreateCompatible(screen.dc));
        owned = memory.Handle();
        EXPECT_EQ(static_cast<DWORD>(OBJ_MEMDC), GetObjectType(owned));

        Bitmap canvas;
        ASSERT_TRUE(canvas.CreateCompatible(screen.dc, 10, 10));
        HGDIOBJ previous = SelectObject(memory.Handle(), canvas.Handle());
        const RECT area = {2, 2, 6, 6};
        EXPECT_TRUE(memory.FillSolid(&area, RGB(200, 10, 30)));
        EXPECT_EQ(RGB(200, 10, 30), GetPixel(memory.Handle(), 3, 3));
        EXPECT_NE(RGB(200, 10, 30), GetPixel(memory.Handle(), 7, 7)) << "filled outside the rectangle";
        EXPECT_EQ(RGB(200, 10, 30), GetBkColor(memory.Handle())) << "the background colour was put back";
        SelectObject(memory.Handle(), previous);
    }
    EXPECT_EQ(0u, GetObjectType(owned)) << "the owned device outlived its wrapper";
}

namespace {

// Paints its client area through a PaintDC and its frame through a WindowDC,
// leaving the paint handler early as a real handler might.
class PaintingWindow : public Window {
public:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_PAINT)
            return Window::HandleMessage(message, wParam, lParam);
        ++paints;
        PaintDC dc(handle);
        RECT client;
        GetClientRect(handle, &client);
        dc.FillSolid(&client, ClientColor);
        if (skipFrame)
            return 0;
        WindowDC frame(handle);
        const RECT corner = {0, 0, 1, 1};
        frame.FillSolid(&corner, FrameColor);
        return 0;
    }

    static constexpr COLORREF ClientColor = RGB(0, 0, 255);
    static constexpr COLORREF FrameColor = RGB(0, 255, 0);
    int paints = 0;
    bool skipFrame = false;
};

}  // namespace

TEST(DrawingObjects, PaintDCEndsThePaintOnEveryWayOut)
{
    for (const bool skipFrame : {true, false}) {
        PaintingWindow window;
        window.skipFrame = skipFrame;
        ASSERT_TRUE(window.CreateEx(0, PlainWindowClass, "", WS_POPUP | WS_BORDER | WS_VISIBLE, 30, 30, 120, 80,
                                    nullptr, nullptr, nullptr));
        UpdateWindow(window.Handle());
        const int paints = window.paints;
        EXPECT_GE(paints, 1);
        EXPECT_FALSE(GetUpdateRect(window.Handle(), nullptr, FALSE)) << "the paint was not ended";
        DrainMessages();
        EXPECT_EQ(paints, window.paints) << "painted again: the first paint did not validate";

        HDC dc = GetWindowDC(window.Handle());
        EXPECT_EQ(PaintingWindow::ClientColor, GetPixel(dc, 20, 20)) << "skipFrame " << skipFrame;
        if (!skipFrame) {
            EXPECT_EQ(PaintingWindow::FrameColor, GetPixel(dc, 0, 0)) << "the frame was not drawn";
        }
        ReleaseDC(window.Handle(), dc);
    }
}
