// ShadedProgressBar and ShadePalette: a standard progress bar painted as a shaded bar with a shadow.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/Window.h"

class DeviceContext;

// The bar's tones: lighter and darker steps of one base colour and the two
// shadow colours. Owned by its ShadedProgressBar.
class ShadePalette {
public:
    enum Entry {
        Base,         // c0
        Lighter1,     // c1
        Lighter2,     // c2
        Lighter3,     // c3: the fill, never drawn as a line
        Darker1,      // c4
        Darker2,      // c5
        DarkShadow,   // c6
        MidShadow,    // c7
        Shadow,       // c8
        EntryCount
    };

    // Computes the nine colours.
    void Compute(COLORREF base, COLORREF darkShadow, COLORREF shadow);

    COLORREF Color(Entry entry) const { return colors[entry]; }

private:
    COLORREF colors[EntryCount] = {};
};

// Serves the unpack page's progress bar: the standard control keeps its range
// and position, and while shading is on this object paints the bar itself,
// off-screen and then in one block, its strokes as wide as the display scale
// makes a pixel. The page holds it by value.
class ShadedProgressBar : public Window {
public:
    ShadedProgressBar() = default;
    // Frees the palette, then the window goes as any Window's does.
    ~ShadedProgressBar() override = default;

    // Recomputes the palette from base and the system's shadow colours;
    // repaints when shading is on.
    void SetShadeColor(COLORREF base);
    // Off leaves every message to the standard control.
    void EnableShading(bool enable);

    // Null before the first SetShadeColor.
    const ShadePalette* Palette() const { return palette.get(); }

    // Takes the shade colour from the system highlight colour.
    void OnAttach() override;
    // With shading on: 1 for WM_ERASEBKGND (nothing erased), 0 for WM_PAINT;
    // everything else is the standard control's answer.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void OnPaint();

private:
    // The filled part of client for the control's range and position.
    RECT FilledPart(const RECT& client, bool isVertical) const;
    // Each stroke of the 96-DPI drawing becomes a band scaled to dpi.
    void DrawBar(DeviceContext& dc, const RECT& bar, bool isVertical, int dpi) const;

    bool isShading = false;
    std::unique_ptr<ShadePalette> palette;
};
