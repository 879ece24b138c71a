// Application: start-up, exit, message boxes, the wait cursor and the command line.
#include "framework/Application.h"

#include <cstdlib>

#include "framework/CommandLineInfo.h"
#include "framework/FindModalOwner.h"
#include "framework/HandleMap.h"
#include "framework/MessageRouting.h"
#include "framework/Window.h"

namespace {

Application* currentApplication = nullptr;

}  // namespace

Application* CurrentApplication()
{
    return currentApplication;
}

Application::Application()
{
    currentApplication = this;
    SetCurrentHost(this);
    handleMap = new HandleMap;
}

Application::~Application()
{
    // Finish normally released the map already; this covers a run that never got there.
    delete handleMap;
    if (currentApplication == this)
        currentApplication = nullptr;
    if (CurrentHost() == this)
        SetCurrentHost(nullptr);
}

int Application::Start(HINSTANCE instanceHandle, const char* commandLineText, int show)
{
    instance = instanceHandle;
    commandLine = commandLineText;
    showCommand = show;
    // The installer's Initialize does all the work and returns false.
    if (Initialize() && mainWindow != nullptr)
        return RunMessageLoop();
    return Finish();
}

int Application::RunMessageLoop()
{
    ShowWindow(mainWindow, showCommand);
    UpdateWindow(mainWindow);
    bool idle = true;
    int count = 0;
    for (;;) {
        while (idle && !PeekMessageA(&currentMessage, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!IdleStep(count))
                idle = false;
            ++count;
        }
        do {
            if (!PumpOneMessage())
                return Finish();
            if (IsIdleTrigger(currentMessage)) {
                idle = true;
                count = 0;
            }
        } while (PeekMessageA(&currentMessage, nullptr, 0, 0, PM_NOREMOVE));
    }
}

bool Application::PumpOneMessage()
{
    // An error (-1) is handled like an ordinary message.
    if (GetMessageA(&currentMessage, nullptr, 0, 0) == 0) {
        exitCode = static_cast<int>(currentMessage.wParam);
        return false;
    }
    if (currentMessage.message == WakeOnlyMessage)
        return true;
    if (!FilterMessage(&currentMessage)) {
        TranslateMessage(&currentMessage);
        DispatchMessageA(&currentMessage);
    }
    return true;
}

bool Application::FilterMessage(MSG* message)
{
    if (Window* main = Window::FromHandle(mainWindow)) {
        if (main->PreTranslate(message))
            return true;
    }
    return PreTranslateWalk(mainWindow, message);
}

bool Application::IsIdleTrigger(const MSG& message)
{
    switch (message.message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
        if (message.pt.x == lastMouseX && message.pt.y == lastMouseY && message.message == lastMouseMessage)
            return false;
        lastMouseX = message.pt.x;
        lastMouseY = message.pt.y;
        lastMouseMessage = message.message;
        return true;
    case WM_PAINT:
    case SystemTimerMessage:
        return false;
    default:
        return true;
    }
}

bool Application::IdleStep(int count)
{
    if (count > 0)
        return false;
    if (Window* main = Window::FromHandle(mainWindow)) {
        main->HandleMessage(IdleUpdateMessage, 1, 0);
        BroadcastToChildren(mainWindow, IdleUpdateMessage, 1, 0);
    }
    return false;
}

bool Application::Initialize()
{
    return true;
}

int Application::Finish()
{
    delete handleMap;
    handleMap = nullptr;
    title = "";
    helpPath = "";
    return exitCode;
}

void Application::ReadCommandLine(CommandLineInfo& info)
{
    for (int i = 1; i < __argc; ++i) {
        const char* text = __argv[i];
        const bool isSwitch = text[0] == '-' || text[0] == '/';
        info.ParseArgument(isSwitch ? text + 1 : text, isSwitch, i == __argc - 1);
    }
}

int Application::OpenHelp(HWND window, UINT command, ULONG_PTR data)
{
    if (helpPath.IsEmpty()) {
        String module;
        GetModuleFileNameA(instance, module.ReserveBuffer(MAX_PATH), MAX_PATH);
        module.CommitBuffer(-1);
        char drive[_MAX_DRIVE], folder[_MAX_DIR], base[_MAX_FNAME], extension[_MAX_EXT];
        _splitpath(module.Text(), drive, folder, base, extension);
        helpPath.Format("%s%s%s.hlp", drive, folder, base);
    }
    if (helpPath.IsEmpty())
        return 0;
    return WinHelpA(window, helpPath.Text(), command, data);
}

void Application::SetTitle(const char* text)
{
    title = text;
}

int Application::ShowMessage(const char* text, UINT style)
{
    HWND disabled = nullptr;
    HWND owner = FindModalOwner(nullptr, &disabled);
    const int result = MessageBoxA(owner, text, Title(), style);
    if (disabled != nullptr)
        EnableWindow(disabled, TRUE);
    return result;
}

void Application::AdjustWaitCursor(int delta)
{
    waitCursorCount += delta;
    if (waitCursorCount != 0) {
        HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
        if (delta > 0 && waitCursorCount == 1)
            restoreCursor = previous;
    } else {
        waitCursorCount = 0;
        SetCursor(restoreCursor);
    }
}
