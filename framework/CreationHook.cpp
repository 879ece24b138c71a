// The window-creation hook: arming, disarming and binding the pending object.
#include "framework/CreationHook.h"

#include "framework/Window.h"

namespace {

// The hook procedure has no context of its own, so the one user-interface
// thread's hook keeps its state here, where only these three functions see it.
struct HookState {
    HHOOK hook = nullptr;
    Window* pendingWindow = nullptr;
};

HookState hookState;

}  // namespace

void ArmCreationHook(Window* window)
{
    if (hookState.hook == nullptr)
        hookState.hook = SetWindowsHookExA(WH_CBT, CreationHook, nullptr, GetCurrentThreadId());
    hookState.pendingWindow = window;
}

bool DisarmCreationHook()
{
    if (hookState.hook != nullptr) {
        UnhookWindowsHookEx(hookState.hook);
        hookState.hook = nullptr;
    }
    return true;
}

bool IsCreationHookInstalled()
{
    return hookState.hook != nullptr;
}

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && hookState.pendingWindow != nullptr) {
        // Cleared first, so that a window OnAttach might create is not bound to the same object.
        Window* window = hookState.pendingWindow;
        hookState.pendingWindow = nullptr;
        window->Subclass(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(hookState.hook, code, wParam, lParam);
}
