// DeviceContext, WindowDC and PaintDC: owners of one device context each; ObjectSelection: a scoped selection into one.
#pragma once

#include <windows.h>

// Owns a device context made by CreateCompatible, or wraps a borrowed one
// (the device that arrives with WM_CTLCOLORSTATIC and the like) that it never
// deletes. Objects selected into it are the user's to select back.
class DeviceContext {
public:
    DeviceContext() = default;
    // Borrowed: never deleted by this object.
    explicit DeviceContext(HDC borrowed);
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;
    virtual ~DeviceContext();

    // Gives the handle back: deletes it unless borrowed; leaves the object empty.
    virtual void Release();

    // A memory device compatible with dc, owned; false when none was made.
    bool CreateCompatible(HDC dc);
    // Fills rect with color; the device's background colour stays color.
    bool FillSolid(const RECT* rect, COLORREF color);

    HDC Handle() const { return handle; }

protected:
    HDC handle = nullptr;
    bool isBorrowed = false;
};

// The whole window's device, non-client area included; released in the destructor.
class WindowDC : public DeviceContext {
public:
    explicit WindowDC(HWND window);
    ~WindowDC() override;
    void Release() override;

private:
    HWND window;
};

// Declared at the top of a WM_PAINT handler: ends the paint on every way out.
class PaintDC : public DeviceContext {
public:
    explicit PaintDC(HWND window);
    ~PaintDC() override;
    void Release() override;

    const PAINTSTRUCT& Paint() const { return paint; }

private:
    HWND window;
    PAINTSTRUCT paint = {};
};

// Selects drawing objects into a device for a scope and, at its end, selects
// back the object that was there before the first; declared after the
// objects it selects, so they are selected out before they are deleted.
class ObjectSelection {
public:
    explicit ObjectSelection(HDC dc) : dc(dc) {}
    ObjectSelection(HDC dc, HGDIOBJ object) : dc(dc) { Select(object); }
    ObjectSelection(const ObjectSelection&) = delete;
    ObjectSelection& operator=(const ObjectSelection&) = delete;
    ~ObjectSelection();

    // A null object selects nothing.
    void Select(HGDIOBJ object);

private:
    HDC dc;
    HGDIOBJ original = nullptr;
};
