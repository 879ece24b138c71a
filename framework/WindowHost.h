// WindowHost: what window objects need of the program that runs them, so that they need not know the application.
#pragma once

#include <windows.h>

class HandleMap;

// Implemented by the application object, which registers itself as the
// current host while it is constructed. Window objects reach the handle map,
// the module, the main window and the message pump only through it.
class WindowHost {
public:
    virtual ~WindowHost() = default;

    virtual HINSTANCE Instance() const = 0;
    virtual HWND MainWindow() const = 0;
    // Null before the application exists and after it has finished.
    virtual HandleMap* Handles() const = 0;
    // Fetches, filters, translates and dispatches one message into
    // currentMessage; false when it was a quit message.
    virtual bool PumpOneMessage() = 0;
    // False for messages after which idle processing need not start again.
    virtual bool IsIdleTrigger(const MSG& message) = 0;
    // The status a quit message carried.
    virtual int ExitCode() const = 0;

    // The message last fetched by the message pump.
    MSG currentMessage = {};
};

// The registered host, or null.
WindowHost* CurrentHost();
// Registers host; null unregisters.
void SetCurrentHost(WindowHost* host);

// The host's module and main window, or null without a host.
HINSTANCE InstanceHandle();
HWND MainWindowHandle();
