// DeviceContext, WindowDC and PaintDC: creation and release of device contexts.
#include "framework/DeviceContext.h"

DeviceContext::DeviceContext(HDC borrowed) : handle(borrowed), isBorrowed(true)
{
}

DeviceContext::~DeviceContext()
{
    // The base part only: a derived class has already released its own kind of handle.
    DeviceContext::Release();
}

void DeviceContext::Release()
{
    if (handle == nullptr)
        return;
    if (!isBorrowed)
        DeleteDC(handle);
    handle = nullptr;
    isBorrowed = false;
}

bool DeviceContext::CreateCompatible(HDC dc)
{
    Release();
    handle = CreateCompatibleDC(dc);
    return handle != nullptr;
}

bool DeviceContext::FillSolid(const RECT* rect, COLORREF color)
{
    SetBkColor(handle, color);
    return ExtTextOutA(handle, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr) != FALSE;
}

WindowDC::WindowDC(HWND target) : window(target)
{
    handle = GetWindowDC(target);
}

WindowDC::~WindowDC()
{
    WindowDC::Release();
}

void WindowDC::Release()
{
    if (handle == nullptr)
        return;
    ReleaseDC(window, handle);
    handle = nullptr;
    window = nullptr;
}

PaintDC::PaintDC(HWND target) : window(target)
{
    handle = BeginPaint(target, &paint);
}

PaintDC::~PaintDC()
{
    PaintDC::Release();
}

void PaintDC::Release()
{
    if (handle == nullptr)
        return;
    EndPaint(window, &paint);
    handle = nullptr;
    window = nullptr;
}

ObjectSelection::~ObjectSelection()
{
    if (original != nullptr)
        SelectObject(dc, original);
}

void ObjectSelection::Select(HGDIOBJ object)
{
    if (object == nullptr)
        return;
    HGDIOBJ previous = SelectObject(dc, object);
    if (original == nullptr)
        original = previous;
}
