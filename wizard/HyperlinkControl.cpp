// HyperlinkControl: cursor choice, painting, sizing and opening.
#include "wizard/HyperlinkControl.h"

#include "framework/DeviceContext.h"
#include "framework/GdiObject.h"
#include "framework/SystemLibraries.h"

namespace {

// The hand cursor in the help viewer of systems without a hand of their own.
constexpr WORD kHelpViewerHandCursor = 106;

// Loads the help viewer as data only: its code must never run in this
// process, whatever folder the package was started from.
HCURSOR LoadHelpViewerHand()
{
    char folder[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    String path;
    path.Format("%s\\winhlp32.exe", folder);
    HMODULE viewer = LoadLibraryExA(path.Text(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (viewer == nullptr)
        return nullptr;
    // A copy, so the cursor outlives the module it came from.
    HCURSOR cursor = nullptr;
    if (HCURSOR loaded = LoadCursorA(viewer, MAKEINTRESOURCEA(kHelpViewerHandCursor)))
        cursor = CopyCursor(loaded);
    FreeLibrary(viewer);
    return cursor;
}

}  // namespace

HyperlinkControl::HyperlinkControl()
{
    cursor = LoadCursorA(nullptr, IDC_HAND);
    if (cursor == nullptr)
        cursor = LoadHelpViewerHand();
    if (cursor == nullptr)
        cursor = LoadCursorA(nullptr, IDC_UPARROW);
}

HyperlinkControl::~HyperlinkControl()
{
    if (cursor != nullptr)
        DestroyCursor(cursor);
}

LRESULT HyperlinkControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_SETCURSOR:
        SetCursor(cursor);
        return TRUE;
    case WM_LBUTTONDOWN:
        OpenTarget();
        break;
    default:
        break;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

void HyperlinkControl::SetTarget(const char* text)
{
    target = text;
}

bool HyperlinkControl::CreateLinkFont(Font& font)
{
    HFONT current = reinterpret_cast<HFONT>(Send(WM_GETFONT));
    LOGFONTA description = {};
    if (current == nullptr || GetObjectA(current, sizeof description, &description) == 0)
        return false;
    description.lfUnderline = 1;
    return font.CreateFromDescription(description);
}

void HyperlinkControl::OnPaint()
{
    PaintDC dc(handle);
    Font font;
    CreateLinkFont(font);
    ObjectSelection selection(dc.Handle(), font.Handle());
    String text;
    GetText(text);
    RECT client;
    GetClientRect(handle, &client);
    SetBkMode(dc.Handle(), TRANSPARENT);
    SetTextColor(dc.Handle(), GetSysColor(COLOR_HIGHLIGHT));
    DrawTextA(dc.Handle(), text.Text(), text.Length(), &client, DT_SINGLELINE | DT_VCENTER);
}

void HyperlinkControl::SizeToText()
{
    RECT extent;
    {
        WindowDC dc(handle);
        Font font;
        CreateLinkFont(font);
        ObjectSelection selection(dc.Handle(), font.Handle());
        String text;
        GetText(text);
        GetClientRect(handle, &extent);
        DrawTextA(dc.Handle(), text.Text(), text.Length(), &extent, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
    }
    SetWindowPos(handle, nullptr, 0, 0, extent.right - extent.left, extent.bottom - extent.top,
                 SWP_NOZORDER | SWP_NOMOVE | SWP_SHOWWINDOW);
}

void HyperlinkControl::OpenTarget()
{
    String text = target;
    if (text.IsEmpty())
        GetText(text);
    ShellOpen("open", text.Text(), SW_SHOW);
}
