// Application: the process-wide user-interface state, start-up and exit of the program.
#pragma once

#include <windows.h>

#include "base/String.h"
#include "framework/WindowHost.h"

class CommandLineInfo;
class HandleMap;
class Window;

// The one application object of the process is a static object of a derived
// class; it registers itself as CurrentApplication() and as the window host
// while it is constructed, and owns the HandleMap until Finish.
class Application : public WindowHost {
public:
    Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    ~Application() override;

    // The run operation; its result is the process exit status.
    int Start(HINSTANCE instance, const char* commandLine, int showCommand);

    // The main window's message loop with idle processing; returns Finish().
    int RunMessageLoop();
    bool PumpOneMessage() override;
    // Paint, the system timer and repeated mouse moves to the same point do
    // not start idle processing again.
    bool IsIdleTrigger(const MSG& message) override;
    // One step of idle work; true when more is wanted.
    bool IdleStep(int count);

    // True to enter the application's own message loop; false ends the program.
    virtual bool Initialize();
    // Releases the process-wide state; returns the exit status.
    virtual int Finish();
    // True when a window object consumed the message, which is then neither
    // translated nor dispatched.
    virtual bool FilterMessage(MSG* message);
    // Feeds every argument after the program name to info.
    virtual void ReadCommandLine(CommandLineInfo& info);
    // Opens the program's help file beside the executable; 0 when it cannot.
    virtual int OpenHelp(HWND window, UINT command, ULONG_PTR data);

    void SetTitle(const char* text);
    const char* Title() const { return title.IsEmpty() ? nullptr : title.Text(); }
    // The id of the button that closed the box.
    int ShowMessage(const char* text, UINT style);
    // +1 begins a wait cursor, -1 ends one, 0 re-applies the current state.
    void AdjustWaitCursor(int delta);

    HINSTANCE Instance() const override { return instance; }
    HWND MainWindow() const override { return mainWindow; }
    // The window that owns message boxes and centres windows without an
    // owner of their own; null for none.
    void SetMainWindow(HWND window) { mainWindow = window; }
    HandleMap* Handles() const override { return handleMap; }
    int ExitCode() const override { return exitCode; }

protected:
    int showCommand = 0;
    HINSTANCE instance = nullptr;
    String title;
    String helpPath;
    const char* commandLine = nullptr;
    int exitCode = 0;
    HWND mainWindow = nullptr;
    int lastMouseX = 0;
    int lastMouseY = 0;
    UINT lastMouseMessage = 0;
    int waitCursorCount = 0;
    HCURSOR restoreCursor = nullptr;

private:
    HandleMap* handleMap = nullptr;
};

Application* CurrentApplication();
