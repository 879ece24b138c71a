// ShowPicture: stretches a package's picture by the display scale, cut to the frame that shows it.
#include "wizard/PagePicture.h"

#include "framework/DisplayScale.h"

void ShowPicture(HWND control, HBITMAP image, Bitmap& scaledCopy)
{
    HBITMAP shown = image;
    const int dpi = WindowDpi(control);
    BITMAP bitmap = {};
    RECT frame = {};
    if (image != nullptr && dpi != DefaultDpi && GetObjectA(image, sizeof bitmap, &bitmap) == sizeof bitmap &&
        GetClientRect(control, &frame)) {
        RECT place = {0, 0, ScaledToDpi(bitmap.bmWidth, dpi), ScaledToDpi(bitmap.bmHeight, dpi)};
        // No larger than the frame: what lies beyond it is cut, as at 96 DPI.
        const SIZE size = {place.right < frame.right ? place.right : frame.right,
                           place.bottom < frame.bottom ? place.bottom : frame.bottom};
        if ((GetWindowLongPtrA(control, GWL_STYLE) & SS_CENTERIMAGE) != 0)
            OffsetRect(&place, (size.cx - place.right) / 2, (size.cy - place.bottom) / 2);
        if (scaledCopy.CreateStretched(image, size, place))
            shown = scaledCopy.Get();
    }
    SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(shown));
}
