// ShadedProgressBar and ShadePalette: the bar's tones, and painting it off-screen stroke by stroke at the display scale.
#include "wizard/ShadedProgressBar.h"

#include <commctrl.h>

#include "framework/DeviceContext.h"
#include "framework/DisplayScale.h"
#include "framework/GdiObject.h"

namespace {

// How far each lighter or darker tone lies from the one before, per channel.
constexpr int ShadeStep = 51;

int ClampToByte(int value)
{
    return value < 0 ? 0 : value > 255 ? 255 : value;
}

COLORREF Shifted(COLORREF color, int delta)
{
    return RGB(ClampToByte(GetRValue(color) + delta), ClampToByte(GetGValue(color) + delta),
               ClampToByte(GetBValue(color) + delta));
}

// Halfway between two colours per channel, rounded down: the same as
// stepping from b half the signed distance to a, rounded toward minus infinity.
COLORREF Midway(COLORREF a, COLORREF b)
{
    return RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2,
               (GetBValue(a) + GetBValue(b)) / 2);
}

// A point of the bar drawn lying down: along it from its start (left) or its
// moving end (right), across it from its near (top) or far (bottom) edge.
enum Along { Start, End };
enum Across { Near, Far };
struct BarPoint {
    Along along;
    int alongOffset;
    Across across;
    int acrossOffset;
};

enum StrokeKind { Line, Pixel };
struct BarStroke {
    ShadePalette::Entry color;
    StrokeKind kind;
    BarPoint from;
    BarPoint to;  // Line only; its own pixel is not drawn.
};

// In drawing order: later strokes cover earlier ones where they cross.
constexpr BarStroke BarStrokes[] = {
    {ShadePalette::Lighter1, Line, {Start, 2, Far, -4}, {End, -2, Far, -4}},
    {ShadePalette::Lighter1, Line, {Start, 2, Near, 2}, {End, -2, Near, 2}},
    {ShadePalette::Lighter1, Pixel, {Start, 1, Far, -3}, {}},
    {ShadePalette::Lighter1, Pixel, {Start, 1, Near, 1}, {}},
    {ShadePalette::Lighter2, Line, {Start, 2, Far, -5}, {End, -3, Far, -5}},
    {ShadePalette::Lighter2, Line, {End, -3, Far, -5}, {End, -3, Near, 3}},
    {ShadePalette::Lighter2, Line, {End, -3, Near, 3}, {Start, 1, Near, 3}},
    {ShadePalette::Lighter2, Pixel, {Start, 1, Far, -4}, {}},
    {ShadePalette::Lighter2, Pixel, {Start, 1, Near, 2}, {}},
    {ShadePalette::Base, Line, {Start, 0, Far, -1}, {Start, 0, Near, 0}},
    {ShadePalette::Base, Line, {Start, 0, Near, 0}, {Start, 2, Near, 0}},
    {ShadePalette::Base, Pixel, {Start, 1, Far, -2}, {}},
    {ShadePalette::Base, Line, {Start, 2, Far, -3}, {End, -2, Far, -3}},
    {ShadePalette::Base, Line, {Start, 2, Near, 1}, {End, -1, Near, 1}},
    {ShadePalette::Darker1, Line, {Start, 2, Far, -2}, {End, -2, Far, -2}},
    {ShadePalette::Darker1, Line, {End, -2, Far, -2}, {End, -2, Near, 1}},
    {ShadePalette::Darker1, Line, {Start, 2, Near, 0}, {End, 0, Near, 0}},
    {ShadePalette::Darker1, Pixel, {Start, 1, Far, -1}, {}},
    {ShadePalette::Darker2, Line, {Start, 2, Far, -1}, {End, -1, Far, -1}},
    {ShadePalette::Darker2, Line, {End, -1, Far, -1}, {End, -1, Near, 0}},
    // The shadow, just past the moving end.
    {ShadePalette::MidShadow, Line, {End, 0, Near, 0}, {End, 0, Far, 0}},
    {ShadePalette::Shadow, Line, {End, 1, Near, 0}, {End, 1, Far, 0}},
};

// The filled part laid down: coordinates along it grow from its start to its
// moving end, across it from its near to its far edge. A vertical bar is the
// lying one stood up on its start: its near edge becomes the left side, and
// along it runs upward, so the shadow falls above the moving end.
struct LyingBar {
    // The names near and far are taken by the system's headers.
    int start, end, nearSide, farSide;

    int AnchorOf(Along along) const { return along == Start ? start : end; }
    int AnchorOf(Across across) const { return across == Near ? nearSide : farSide; }
};

LyingBar Lay(const RECT& bar, bool isVertical)
{
    if (!isVertical)
        return {bar.left, bar.right, bar.top, bar.bottom};
    return {-bar.bottom, -bar.top, bar.left, bar.right};
}

// The pixel edges [first, last) one axis of a stroke covers. Offsets are
// those of the 96-DPI drawing, scaled, so that each of its pixels becomes a
// band as wide as the scale makes a pixel; at 96 DPI the bands are the pixels.
struct Span {
    int first, last;
};

// A point's own pixel.
Span PointSpan(int anchor, int offset, int dpi)
{
    return {anchor + ScaledToDpi(offset, dpi), anchor + ScaledToDpi(offset + 1, dpi)};
}

// A line's pixels from its first point up to, not including, its last,
// whichever way it runs, as line drawing sets them.
Span LineSpan(int fromAnchor, int fromOffset, int toAnchor, int toOffset, int dpi)
{
    const int from = fromAnchor + ScaledToDpi(fromOffset, dpi);
    const int to = toAnchor + ScaledToDpi(toOffset, dpi);
    if (to >= from)
        return {from, to};
    return {toAnchor + ScaledToDpi(toOffset + 1, dpi), fromAnchor + ScaledToDpi(fromOffset + 1, dpi)};
}

// The rectangle a stroke covers on the bar; empty for a line of no length.
RECT Band(const BarStroke& stroke, const LyingBar& bar, bool isVertical, int dpi)
{
    const BarPoint& from = stroke.from;
    const BarPoint& to = stroke.to;
    const bool runsAlong =
        stroke.kind == Line && (from.along != to.along || from.alongOffset != to.alongOffset);
    const bool runsAcross = stroke.kind == Line && !runsAlong;
    const Span along = runsAlong ? LineSpan(bar.AnchorOf(from.along), from.alongOffset, bar.AnchorOf(to.along),
                                            to.alongOffset, dpi)
                                 : PointSpan(bar.AnchorOf(from.along), from.alongOffset, dpi);
    const Span across = runsAcross ? LineSpan(bar.AnchorOf(from.across), from.acrossOffset, bar.AnchorOf(to.across),
                                              to.acrossOffset, dpi)
                                   : PointSpan(bar.AnchorOf(from.across), from.acrossOffset, dpi);
    if (along.first >= along.last || across.first >= across.last)
        return {};
    if (!isVertical)
        return {along.first, across.first, along.last, across.last};
    return {across.first, -along.last, across.last, -along.first};
}

}  // namespace

void ShadePalette::Compute(COLORREF base, COLORREF darkShadow, COLORREF shadow)
{
    colors[Base] = base;
    colors[Lighter1] = Shifted(base, ShadeStep);
    colors[Lighter2] = Shifted(colors[Lighter1], ShadeStep);
    colors[Lighter3] = Shifted(colors[Lighter2], ShadeStep);
    colors[Darker1] = Shifted(base, -ShadeStep);
    colors[Darker2] = Shifted(colors[Darker1], -ShadeStep);
    colors[DarkShadow] = darkShadow;
    colors[MidShadow] = Midway(darkShadow, shadow);
    colors[Shadow] = shadow;
}

void ShadedProgressBar::SetShadeColor(COLORREF base)
{
    if (palette == nullptr)
        palette = std::make_unique<ShadePalette>();
    palette->Compute(base, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_BTNSHADOW));
    // A null window would invalidate every window on the screen.
    if (isShading && handle != nullptr)
        InvalidateRect(handle, nullptr, TRUE);
}

void ShadedProgressBar::EnableShading(bool enable)
{
    isShading = enable;
    if (handle != nullptr)
        InvalidateRect(handle, nullptr, TRUE);
}

void ShadedProgressBar::OnAttach()
{
    Window::OnAttach();
    SetShadeColor(GetSysColor(COLOR_HIGHLIGHT));
}

LRESULT ShadedProgressBar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!isShading)
        return Window::HandleMessage(message, wParam, lParam);
    switch (message) {
    case WM_ERASEBKGND:
        // The paint covers every pixel; erasing first would only flicker.
        return 1;
    case WM_PAINT:
        OnPaint();
        return 0;
    case PBM_SETPOS:
    case PBM_DELTAPOS:
    case PBM_STEPIT:
    case PBM_SETRANGE:
    case PBM_SETRANGE32: {
        // The standard control repaints only what its own bar changed; the
        // shading and the shadow at the moving end need the whole bar.
        const LRESULT result = Window::HandleMessage(message, wParam, lParam);
        InvalidateRect(handle, nullptr, FALSE);
        return result;
    }
    default:
        return Window::HandleMessage(message, wParam, lParam);
    }
}

void ShadedProgressBar::OnPaint()
{
    PaintDC target(handle);
    RECT client;
    GetClientRect(handle, &client);
    const bool isVertical = (GetWindowLongPtrA(handle, GWL_STYLE) & PBS_VERTICAL) != 0;
    const RECT bar = FilledPart(client, isVertical);

    Bitmap picture;
    picture.CreateCompatible(target.Handle(), client.right, client.bottom);
    DeviceContext memory;
    memory.CreateCompatible(target.Handle());
    if (picture.Handle() == nullptr || memory.Handle() == nullptr)
        return;
    ObjectSelection selection(memory.Handle());
    selection.Select(picture.Handle());
    memory.FillSolid(&client, GetSysColor(COLOR_BTNFACE));
    if (palette != nullptr)
        DrawBar(memory, bar, isVertical, WindowDpi(handle));
    BitBlt(target.Handle(), 0, 0, client.right, client.bottom, memory.Handle(), 0, 0, SRCCOPY);
}

RECT ShadedProgressBar::FilledPart(const RECT& client, bool isVertical) const
{
    PBRANGE range = {};
    Send(PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
    const LRESULT position = Send(PBM_GETPOS);
    const int extent = isVertical ? client.bottom - client.top : client.right - client.left;
    int filled = 0;
    // An empty range shows no bar rather than dividing by zero.
    if (range.iHigh != range.iLow) {
        const double length = (static_cast<double>(position) - range.iLow) * extent /
                              (static_cast<double>(range.iHigh) - range.iLow);
        // Kept inside the client should the control ever hold a position outside its range.
        filled = length <= 0 ? 0 : length >= extent ? extent : static_cast<int>(length);
    }
    RECT bar = client;
    if (isVertical)
        bar.top = bar.bottom - filled;
    else
        bar.right = bar.left + filled;
    return bar;
}

void ShadedProgressBar::DrawBar(DeviceContext& dc, const RECT& bar, bool isVertical, int dpi) const
{
    dc.FillSolid(&bar, palette->Color(ShadePalette::Lighter3));
    if (isVertical ? bar.top == bar.bottom : bar.left == bar.right)
        return;
    const LyingBar lying = Lay(bar, isVertical);
    for (const BarStroke& stroke : BarStrokes) {
        const RECT band = Band(stroke, lying, isVertical, dpi);
        if (!IsRectEmpty(&band))
            dc.FillSolid(&band, palette->Color(stroke.color));
    }
}
