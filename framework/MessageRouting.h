// The walks that offer messages to the window objects of a window's children and ancestors.
#pragma once

#include <windows.h>

// Calls HandleMessage directly on the objects of parent's direct children.
void BroadcastToChildren(HWND parent, UINT message, WPARAM wParam, LPARAM lParam);

// Offers message to the objects of its window and that window's ancestors,
// up to and including stop; true as soon as one consumes it.
bool PreTranslateWalk(HWND stop, MSG* message);
