// The window-creation hook: arming, disarming and binding the pending object.
#include "framework/CreationHook.h"

#include "framework/Application.h"
#include "framework/Window.h"

void ArmCreationHook(Window* window)
{
    Application* application = CurrentApplication();
    if (application == nullptr)
        return;
    if (application->creationHook == nullptr)
        application->creationHook = SetWindowsHookExA(WH_CBT, CreationHook, nullptr, GetCurrentThreadId());
    application->pendingWindow = window;
}

bool DisarmCreationHook()
{
    Application* application = CurrentApplication();
    if (application != nullptr && application->creationHook != nullptr) {
        UnhookWindowsHookEx(application->creationHook);
        application->creationHook = nullptr;
    }
    return true;
}

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam)
{
    Application* application = CurrentApplication();
    if (code == HCBT_CREATEWND && application->pendingWindow != nullptr) {
        // Cleared first, so that a window OnAttach might create is not bound to the same object.
        Window* window = application->pendingWindow;
        application->pendingWindow = nullptr;
        window->Subclass(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(application->creationHook, code, wParam, lParam);
}
