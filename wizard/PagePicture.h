// ShowPicture: a package's picture shown in a page's picture control at the page's display scale.
#pragma once

#include <windows.h>

#include "framework/GdiObject.h"

// Hands image (null: none) to the static picture control at control's
// display scale, placed as the control's styles say: centred, or from the
// top-left corner. At 96 DPI the control gets image itself; otherwise
// scaledCopy becomes image stretched by the scale, no further than the
// control's client holds it, and cut to that client, so a picture of any
// claimed size costs no more than the frame it shows in. Where no copy can
// be made, image is shown at its own size. The pages call it once, as they
// initialise: a page moved to a monitor of another scale keeps its pictures
// at the first. scaledCopy must outlive the control's use of it.
void ShowPicture(HWND control, HBITMAP image, Bitmap& scaledCopy);
