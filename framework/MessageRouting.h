// The window and dialog procedures of bound windows, and the walks that offer messages to window objects.
#pragma once

#include <windows.h>

// Installed into every bound window: hands the message to the object's
// HandleMessage, or to DefWindowProcA when the handle has no object. Ends
// the binding once the final message (WM_NCDESTROY) has been handled.
LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The dialog procedure of framework dialogs and pages: WM_INITDIALOG goes to
// the object's OnInitDialog (1 without an object); everything else is left
// to the dialog manager (0).
INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Calls HandleMessage directly on the objects of parent's direct children.
void BroadcastToChildren(HWND parent, UINT message, WPARAM wParam, LPARAM lParam);

// Offers message to the objects of its window and that window's ancestors,
// up to and including stop; true as soon as one consumes it.
bool PreTranslateWalk(HWND stop, MSG* message);
