// StaticControl: every message goes on to the platform's static control.
#include "wizard/StaticControl.h"

LRESULT StaticControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return Window::HandleMessage(message, wParam, lParam);
}
