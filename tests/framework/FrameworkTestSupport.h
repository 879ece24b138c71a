// Test support for the window framework: the test application object, window classes and message draining.
#pragma once

#include <windows.h>

#include "framework/Application.h"

// The framework tests' one application object; its Initialize runs the tests,
// so that they see the state a real run has (instance handle, HandleMap).
class TestApplication : public Application {
public:
    bool Initialize() override;
    // While the tests run, only counts: the HandleMap must outlive RunMessageLoop's call.
    int Finish() override;
    bool FilterMessage(MSG* message) override;

    void SetMainWindow(HWND window) { mainWindow = window; }

    int filterCalls = 0;
    int finishCalls = 0;
    bool isRunningTests = false;
};

TestApplication& TheTestApplication();

// A top-level window class whose procedure is DefWindowProcA.
extern const char* const PlainWindowClass;
// A class whose procedure counts the IdleUpdateMessage it receives in
// IdleUpdatesSeenByClass.
extern const char* const CountingWindowClass;
extern int IdleUpdatesSeenByClass;
void RegisterTestWindowClasses();

// Dispatches what is queued, at most limit messages, without waiting.
void DrainMessages(int limit = 1000);
// Removes everything queued without dispatching it.
void DiscardMessages();

// Sets the work area for the length of a scope and puts the old one back.
class WorkAreaScope {
public:
    explicit WorkAreaScope(const RECT& area);
    ~WorkAreaScope();

private:
    RECT saved;
};
