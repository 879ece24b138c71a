// GdiObject and its kinds Brush, Pen, Bitmap and Font: owners of one drawing handle each.
#pragma once

#include <windows.h>

// Owns one drawing handle or none. Every creating operation first deletes the
// handle held, then returns whether it got a new one.
class GdiObject {
public:
    GdiObject() = default;
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    virtual ~GdiObject();

    // The DeleteObject result; 0 when there was no handle.
    BOOL Delete();
    HGDIOBJ Handle() const { return handle; }

protected:
    bool Take(HGDIOBJ created);

    HGDIOBJ handle = nullptr;
};

class Brush : public GdiObject {
public:
    bool CreateSolid(COLORREF color);
    HBRUSH Get() const { return static_cast<HBRUSH>(handle); }
};

class Pen : public GdiObject {
public:
    bool Create(int style, int width, COLORREF color);
    HPEN Get() const { return static_cast<HPEN>(handle); }
};

class Bitmap : public GdiObject {
public:
    bool CreateCompatible(HDC dc, int width, int height);
    // With LR_LOADFROMFILE in loadFlags, name is a file path. A null instance
    // means the program's own module.
    bool Load(const char* name, int width, int height, UINT loadFlags, HINSTANCE instance = nullptr);
    // A size.cx by size.cy bitmap holding the whole of source (of
    // sourceSize) stretched or shrunk onto place, which may reach past its
    // edges: smoothly (HALFTONE) rather than by dropping or repeating
    // pixels. A copy that starts with the source's first pixel keeps that
    // pixel's colour. source must not be selected into a device.
    bool CreateStretched(HBITMAP source, SIZE sourceSize, SIZE size, const RECT& place);
    HBITMAP Get() const { return static_cast<HBITMAP>(handle); }
};

class Font : public GdiObject {
public:
    bool CreateFromDescription(const LOGFONTA& description);
    HFONT Get() const { return static_cast<HFONT>(handle); }
};
