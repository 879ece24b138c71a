// GdiObject kinds: creation and deletion of brushes, pens, bitmaps and fonts.
#include "framework/GdiObject.h"

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

bool Font::CreateFromDescription(const LOGFONTA& description)
{
    Delete();
    return Take(CreateFontIndirectA(&description));
}
