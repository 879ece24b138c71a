// The window-creation hook that binds a Window object to its window before the window's first message.
#pragma once

#include <windows.h>

class Window;

// Installs the thread's creation hook if needed and makes window the object
// that the next created window is bound to.
void ArmCreationHook(Window* window);
// Removes the hook; the pending object stays until the next ArmCreationHook.
bool DisarmCreationHook();
// True while the hook is installed.
bool IsCreationHookInstalled();
// The hook itself: on HCBT_CREATEWND subclasses the pending object to the new window.
LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam);
