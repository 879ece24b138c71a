// GdiObject kinds: creation and deletion of brushes, pens, bitmaps and fonts.
#include "framework/GdiObject.h"

#include "framework/DeviceContext.h"
#include "framework/WindowHost.h"

GdiObject::~GdiObject()
{
    Delete();
}

BOOL GdiObject::Delete()
{
    if (handle == nullptr)
        return FALSE;
    const BOOL result = DeleteObject(handle);
    handle = nullptr;
    return result;
}

bool GdiObject::Take(HGDIOBJ created)
{
    handle = created;
    return handle != nullptr;
}

bool Brush::CreateSolid(COLORREF color)
{
    Delete();
    return Take(CreateSolidBrush(color));
}

bool Pen::Create(int style, int width, COLORREF color)
{
    Delete();
    return Take(CreatePen(style, width, color));
}

bool Bitmap::CreateCompatible(HDC dc, int width, int height)
{
    Delete();
    return Take(CreateCompatibleBitmap(dc, width, height));
}

bool Bitmap::Load(const char* name, int width, int height, UINT loadFlags, HINSTANCE instance)
{
    Delete();
    if (instance == nullptr)
        instance = InstanceHandle();
    return Take(LoadImageA(instance, name, IMAGE_BITMAP, width, height, loadFlags));
}

bool Bitmap::CreateStretched(HBITMAP source, SIZE sourceSize, SIZE size, const RECT& place)
{
    Delete();
    WindowDC screen(nullptr);
    DeviceContext from;
    DeviceContext to;
    if (!from.CreateCompatible(screen.Handle()) || !to.CreateCompatible(screen.Handle()) ||
        !CreateCompatible(screen.Handle(), size.cx, size.cy))
        return false;
    bool isDrawn = false;
    {
        ObjectSelection fromSelection(from.Handle(), source);
        ObjectSelection toSelection(to.Handle(), handle);
        // HALFTONE averages the source pixels under each target pixel; the
        // system asks for the brush origin to be set again after choosing it.
        SetStretchBltMode(to.Handle(), HALFTONE);
        SetBrushOrgEx(to.Handle(), 0, 0, nullptr);
        isDrawn = StretchBlt(to.Handle(), place.left, place.top, place.right - place.left, place.bottom - place.top,
                             from.Handle(), 0, 0, sourceSize.cx, sourceSize.cy, SRCCOPY) != FALSE;
        // A centred picture control fills its margin in the colour of the
        // picture's first pixel; smoothing would blend it with its neighbours.
        if (place.left == 0 && place.top == 0)
            BitBlt(to.Handle(), 0, 0, 1, 1, from.Handle(), 0, 0, SRCCOPY);
    }
    // Selected out above, so the copy can go.
    if (!isDrawn)
        Delete();
    return isDrawn;
}

bool Font::CreateFromDescription(const LOGFONTA& description)
{
    Delete();
    return Take(CreateFontIndirectA(&description));
}
