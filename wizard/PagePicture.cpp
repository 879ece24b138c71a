// ShowPicture: stretches a package's picture by the display scale, no further than its frame holds.
#include "wizard/PagePicture.h"

#include "framework/DisplayScale.h"

void ShowPicture(HWND control, HBITMAP image, Bitmap& scaledCopy)
{
    HBITMAP shown = image;
    const int dpi = WindowDpi(control);
    BITMAP bitmap = {};
    RECT frame = {};
    // No bitmap, no size: a missing picture goes to the control as it is.
    if (dpi != DefaultDpi && GetObjectA(image, sizeof bitmap, &bitmap) == sizeof bitmap &&
        GetClientRect(control, &frame)) {
        // The page's frames grow with its font, not exactly with the scale:
        // the picture grows with the scale but no further than its frame
        // holds it whole. One that overflows its frame at its own size keeps
        // that size and is cut, as at 96 DPI, so the copy is never larger
        // than the frame, whatever size the package claims.
        const double fitWidth = static_cast<double>(frame.right) / bitmap.bmWidth;
        const double fitHeight = static_cast<double>(frame.bottom) / bitmap.bmHeight;
        const double fit = fitWidth < fitHeight ? fitWidth : fitHeight;
        double scale = static_cast<double>(dpi) / DefaultDpi;
        if (scale > fit)
            scale = fit > 1 ? fit : 1;
        RECT place = {0, 0, static_cast<LONG>(bitmap.bmWidth * scale + 0.5),
                      static_cast<LONG>(bitmap.bmHeight * scale + 0.5)};
        const SIZE size = {place.right < frame.right ? place.right : frame.right,
                           place.bottom < frame.bottom ? place.bottom : frame.bottom};
        if ((GetWindowLongPtrA(control, GWL_STYLE) & SS_CENTERIMAGE) != 0)
            OffsetRect(&place, (size.cx - place.right) / 2, (size.cy - place.bottom) / 2);
        if (scaledCopy.CreateStretched(image, {bitmap.bmWidth, bitmap.bmHeight}, size, place))
            shown = scaledCopy.Get();
    }
    SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(shown));
}
