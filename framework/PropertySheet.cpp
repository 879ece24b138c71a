// PropertySheet: the modal run, wizard buttons and the messages the sheet handles itself.
#include "framework/PropertySheet.h"

#include <cstring>

#include "framework/WindowHost.h"
#include "framework/PropertyPage.h"
#include "framework/StringResource.h"
#include "framework/SystemLibraries.h"

// The record sizes the platform knows from its 32-bit days.
static_assert(sizeof(void*) != 4 || (PageRecordSize == 48 && SheetHeaderSize == 52), "page or header record size");

namespace {

// The system uses the low four bits of a WM_SYSCOMMAND code itself.
constexpr WPARAM SystemCommandMask = 0xFFF0;

// Moves a wizard button left by its own width and 5 pixels, then enables and shows it.
void ShiftLeft(HWND sheet, int id)
{
    HWND button = GetDlgItem(sheet, id);
    if (button == nullptr)
        return;
    RECT rect;
    GetWindowRect(button, &rect);
    MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&rect), 2);
    const int width = rect.right - rect.left;
    SetWindowPos(button, nullptr, rect.left - width - 5, rect.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    EnableWindow(button, TRUE);
    ShowWindow(button, SW_SHOW);
}

}  // namespace

PropertySheet::PropertySheet(UINT captionId, HWND owner, UINT startPage) : ownerWindow(owner)
{
    LoadStringResource(title, captionId);
    header = {};
    header.dwSize = SheetHeaderSize;
    header.dwFlags = PSH_PROPSHEETPAGE;
    header.pszCaption = title.Text();
    header.nStartPage = startPage;
}

void PropertySheet::AddPage(PropertyPage* page)
{
    pages.push_back(page);
}

void PropertySheet::BuildPageArray()
{
    // Copied now: a page's record must be complete before DoModal.
    pageArray.assign(pages.size() * PageRecordSize, 0);
    for (size_t i = 0; i < pages.size(); ++i) {
        PROPSHEETPAGEA record = pages[i]->pageRecord;
        // Wine puts the shown page's caption, even an empty one, into a
        // wizard's title bar: a page without a title of its own carries the
        // sheet's, so that the wizard keeps its caption on every page.
        if ((header.dwFlags & PSH_WIZARD) != 0 && (record.dwFlags & PSP_USETITLE) == 0) {
            record.dwFlags |= PSP_USETITLE;
            record.pszTitle = title.Text();
        }
        std::memcpy(&pageArray[i * PageRecordSize], &record, PageRecordSize);
    }
    header.ppsp = reinterpret_cast<LPCPROPSHEETPAGEA>(pageArray.data());
    header.nPages = static_cast<UINT>(pages.size());
}

int PropertySheet::DoModal()
{
    BuildPageArray();
    HWND owner = nullptr;
    if (useOwner)
        owner = ownerWindow != nullptr ? ownerWindow : MainWindowHandle();
    const bool disabledOwner = owner != nullptr && IsWindowEnabled(owner);
    if (disabledOwner)
        EnableWindow(owner, FALSE);
    if (HWND capture = GetCapture())
        SendMessageA(capture, WM_CANCELMODE, 0, 0);

    modalResult = 0;
    stateFlags |= ModalKeepRunning;
    // The first window the platform creates is the sheet itself.
    ArmCreationHook(this);
    header.hwndParent = owner;
    header.dwFlags |= PSH_MODELESS;
    const INT_PTR created = RunPropertySheet(&header);
    header.dwFlags &= ~static_cast<DWORD>(PSH_MODELESS);
    DisarmCreationHook();
    if (created == 0 || created == -1)
        stateFlags &= ~ModalKeepRunning;

    int result = modalResult;
    if (InModalLoop())
        result = RunModalLoop();
    EndModalRun(owner, disabledOwner);
    // The platform destroys the page windows with the sheet.
    Destroy();
    Detach();
    return result;
}

bool PropertySheet::InModalLoop()
{
    return (stateFlags & ModalKeepRunning) != 0 && Send(PSM_GETCURRENTPAGEHWND) != 0;
}

void PropertySheet::EndDialog(int result)
{
    StopModalLoop(result);
    if (modeless)
        Destroy();
    else
        Post(PSM_PRESSBUTTON, PSBTN_CANCEL);
}

LRESULT PropertySheet::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        modalResult = IDCANCEL;
        if (modeless) {
            Destroy();
            return 0;
        }
        break;
    case WM_INITDIALOG:
        return InitializeSheet(wParam, lParam);
    case WM_SYSCOMMAND:
        modalResult = IDCANCEL;
        if ((wParam & SystemCommandMask) == SC_CLOSE && modeless) {
            Send(WM_CLOSE);
            return 0;
        }
        break;
    case PSM_SETWIZBUTTONS:
        // Handled here only: the platform would swap Next for Finish.
        return SetWizardButtons(static_cast<DWORD>(lParam));
    default:
        break;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

LRESULT PropertySheet::InitializeSheet(WPARAM wParam, LPARAM lParam)
{
    ModifyExStyle(WS_EX_CONTEXTHELP, 0);
    SetWindowTextA(handle, title.Text());
    if (!stackedTabs) {
        if (HWND tabs = GetDlgItem(handle, SheetTabControlId)) {
            const LONG_PTR style = GetWindowLongPtrA(tabs, GWL_STYLE);
            SetWindowLongPtrA(tabs, GWL_STYLE, style & ~static_cast<LONG_PTR>(TCS_MULTILINE));
        }
    }
    DefaultProcessing(WM_INITDIALOG, wParam, lParam);

    // The platform puts Finish where Next is: after the shift Back, Next and
    // Finish stand side by side before Cancel.
    if ((header.dwFlags & PSH_WIZARD) != 0) {
        ShiftLeft(handle, SheetBackButtonId);
        ShiftLeft(handle, SheetNextButtonId);
    }
    TakeSmallIconFromParent();
    if ((GetWindowLongPtrA(handle, GWL_STYLE) & WS_CHILD) == 0)
        Center();
    return OnInitDialog() ? TRUE : FALSE;
}

LRESULT PropertySheet::SetWizardButtons(DWORD flags)
{
    static const struct {
        int id;
        DWORD flag;
    } buttons[] = {
        {SheetBackButtonId, PSWIZB_BACK},
        {SheetNextButtonId, PSWIZB_NEXT},
        {SheetFinishButtonId, PSWIZB_FINISH},
    };
    for (const auto& entry : buttons) {
        HWND button = GetDlgItem(handle, entry.id);
        if (button == nullptr)
            continue;
        if (!IsWindowVisible(button))
            ShowWindow(button, SW_SHOW);
        const bool on = (flags & entry.flag) != 0;
        if ((IsWindowEnabled(button) != FALSE) != on)
            EnableWindow(button, on ? TRUE : FALSE);
    }
    return 0;
}

bool PropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (Window::OnCommand(wParam, lParam))
        return true;
    HWND control = reinterpret_cast<HWND>(lParam);
    if (control != nullptr && HIWORD(wParam) == BN_CLICKED &&
        (SendMessageA(control, WM_GETDLGCODE, 0, 0) & (DLGC_BUTTON | DLGC_DEFPUSHBUTTON)) != 0) {
        const LONG_PTR type = GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK;
        if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_USERBUTTON || type == BS_OWNERDRAW)
            modalResult = LOWORD(wParam);
    }
    // The platform's sheet procedure still acts on the click.
    return false;
}

bool PropertySheet::PreTranslate(MSG* message)
{
    if (message->message == WM_KEYDOWN &&
        (message->wParam == VK_TAB || message->wParam == VK_PRIOR || message->wParam == VK_NEXT) &&
        GetAsyncKeyState(VK_CONTROL) < 0) {
        if (Send(PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(message)) != 0)
            return true;
    }
    return FilterDialogInput(message);
}
