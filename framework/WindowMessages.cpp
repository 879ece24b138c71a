// Window: the base message handler, command routing and the modal loop.
#include "framework/WindowHost.h"
#include "framework/CommandState.h"
#include "framework/Window.h"

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (Window* control = FromHandle(GetDlgItem(handle, static_cast<int>(item->CtlID)))) {
            control->OnDrawItem(item);
            return 1;
        }
        break;
    }
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (Window* control = FromHandle(GetDlgItem(handle, static_cast<int>(item->CtlID)))) {
            control->OnMeasureItem(item);
            return 1;
        }
        break;
    }
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (OnNotify(reinterpret_cast<NMHDR*>(lParam), wParam, &result))
            return result;
        break;
    }
    case WM_COMMAND:
        if (OnCommand(wParam, lParam))
            return 1;
        break;
    case IdleUpdateMessage:
        OnIdleUpdate();
        break;
    default:
        break;
    }
    return DefaultProcessing(message, wParam, lParam);
}

LRESULT Window::DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (previousProcedure != nullptr)
        return CallWindowProcA(previousProcedure, handle, message, wParam, lParam);
    return DefWindowProcA(handle, message, wParam, lParam);
}

bool Window::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (id == 0)
        return false;
    HWND control = reinterpret_cast<HWND>(lParam);
    if (control != nullptr) {
        Window* object = FromHandle(control);
        if (object != nullptr && object->OnReflectedCommand(code))
            return true;
    } else {
        // Menus and accelerators: ask first, and swallow a command that is disabled.
        CommandProbe probe;
        probe.id = id;
        RouteCommand(id, code, nullptr, &probe);
        if (probe.enabled == 0)
            return true;
    }
    return RouteCommand(id, code, nullptr, nullptr);
}

bool Window::InModalLoop()
{
    return (stateFlags & ModalKeepRunning) != 0;
}

void Window::StopModalLoop(int result)
{
    modalResult = result;
    if ((stateFlags & ModalKeepRunning) != 0) {
        stateFlags &= ~ModalKeepRunning;
        // The loop may be waiting in GetMessageA: give it something to wake up to.
        PostMessageA(handle, WM_NULL, 0, 0);
    }
}

void Window::ShowAfterIdle()
{
    ShowWindow(handle, SW_SHOWNORMAL);
    UpdateWindow(handle);
}

int Window::ModalLoop(DWORD flags)
{
    WindowHost* host = CurrentHost();
    MSG& message = host->currentMessage;
    bool showPending =
        (flags & ModalShowWhenIdle) != 0 && (GetWindowLongPtrA(handle, GWL_STYLE) & WS_VISIBLE) == 0;
    HWND parent = GetParent(handle);
    stateFlags |= ModalKeepRunning | ModalRunning;
    bool idle = true;
    for (;;) {
        if (idle && !PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            if (showPending) {
                ShowAfterIdle();
                showPending = false;
            }
            if ((flags & ModalNoIdleMessage) == 0 && parent != nullptr)
                SendMessageA(parent, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(handle));
            idle = false;
        }
        do {
            if (!host->PumpOneMessage()) {
                // Passed on with its exit code, so that an outer loop ends too
                // and does not overwrite the status with 0.
                PostQuitMessage(host->ExitCode());
                stateFlags &= ~(ModalKeepRunning | ModalRunning);
                return -1;
            }
            if (showPending && (message.message == SystemTimerMessage || message.message == WM_SYSKEYDOWN)) {
                ShowAfterIdle();
                showPending = false;
            }
            if (!InModalLoop()) {
                stateFlags &= ~(ModalKeepRunning | ModalRunning);
                return modalResult;
            }
            if (host->IsIdleTrigger(message))
                idle = true;
        } while (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
    }
}

int Window::RunModalLoop()
{
    DWORD flags = ModalShowWhenIdle;
    if ((GetWindowLongPtrA(handle, GWL_STYLE) & DS_NOIDLEMSG) != 0)
        flags |= ModalNoIdleMessage;
    return ModalLoop(flags);
}

void Window::EndModalRun(HWND owner, bool ownerWasDisabled)
{
    if (handle != nullptr)
        SetWindowPos(handle, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    // The owner is enabled before the window goes, so that activation can return to it.
    if (ownerWasDisabled)
        EnableWindow(owner, TRUE);
    if (handle != nullptr && owner != nullptr && GetActiveWindow() == handle)
        SetActiveWindow(owner);
}
