// FindModalOwner: the owner of a modal box and the window to disable while it shows.
#pragma once

#include <windows.h>

// From window (or the main window when null) up to its first non-child
// ancestor; when no window was given, that ancestor's last active pop-up.
// When disabledOut is given it receives the root of the owner's parent chain
// if that root was enabled and had to be disabled, else null; the caller
// enables it again after the box has closed.
HWND FindModalOwner(HWND window, HWND* disabledOut);
