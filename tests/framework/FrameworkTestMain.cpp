// The framework tests' entry: a static application object that runs the tests as its initialisation.
#include <gtest/gtest.h>

#include "tests/framework/FrameworkTestSupport.h"

namespace {

// Constructed before main, like the installer's own application object.
TestApplication testApplication;

LRESULT CALLBACK CountingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == 0x0363)
        ++IdleUpdatesSeenByClass;
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

const char* const PlainWindowClass = "FrameworkTestPlain";
const char* const CountingWindowClass = "FrameworkTestCounting";
int IdleUpdatesSeenByClass = 0;

TestApplication& TheTestApplication()
{
    return testApplication;
}

bool TestApplication::Initialize()
{
    RegisterTestWindowClasses();
    isRunningTests = true;
    const int failures = RUN_ALL_TESTS();
    isRunningTests = false;
    exitCode = failures;
    return false;
}

int TestApplication::Finish()
{
    if (!isRunningTests)
        return Application::Finish();
    ++finishCalls;
    return exitCode;
}

bool TestApplication::FilterMessage(MSG* message)
{
    ++filterCalls;
    return Application::FilterMessage(message);
}

void RegisterTestWindowClasses()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = PlainWindowClass;
    RegisterClassA(&windowClass);
    windowClass.lpfnWndProc = CountingProcedure;
    windowClass.lpszClassName = CountingWindowClass;
    RegisterClassA(&windowClass);
}

void DrainMessages(int limit)
{
    MSG message;
    for (int i = 0; i < limit && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE); ++i) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void DiscardMessages()
{
    MSG message;
    for (int i = 0; i < 1000 && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE); ++i) {
    }
}

WorkAreaScope::WorkAreaScope(const RECT& area)
{
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &saved, 0);
    RECT copy = area;
    SystemParametersInfoA(SPI_SETWORKAREA, 0, &copy, 0);
}

WorkAreaScope::~WorkAreaScope()
{
    SystemParametersInfoA(SPI_SETWORKAREA, 0, &saved, 0);
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    return testApplication.Start(GetModuleHandleA(nullptr), GetCommandLineA(), SW_SHOWNORMAL);
}
