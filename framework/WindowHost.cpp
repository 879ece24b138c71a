// WindowHost: the registration of the one host and the accessors through it.
#include "framework/WindowHost.h"

namespace {

WindowHost* currentHost = nullptr;

}  // namespace

WindowHost* CurrentHost()
{
    return currentHost;
}

void SetCurrentHost(WindowHost* host)
{
    currentHost = host;
}

HINSTANCE InstanceHandle()
{
    return currentHost != nullptr ? currentHost->Instance() : nullptr;
}

HWND MainWindowHandle()
{
    return currentHost != nullptr ? currentHost->MainWindow() : nullptr;
}
