// PropertyPage: the page record, the page callback and the translation of page notifications.
#include "framework/PropertyPage.h"

#include "framework/WindowHost.h"
#include "framework/PropertySheet.h"
#include "framework/StringResource.h"

namespace {

// The platform calls this just before it creates the page's window and when
// it lets the page go.
UINT CALLBACK PageCallback(HWND, UINT code, PROPSHEETPAGEA* record)
{
    switch (code) {
    case PSPCB_CREATE:
        ArmCreationHook(reinterpret_cast<PropertyPage*>(record->lParam));
        return 1;
    case PSPCB_RELEASE:
        DisarmCreationHook();
        return 0;
    default:
        return 0;
    }
}

bool IsUsable(HWND button)
{
    return button != nullptr && IsWindowEnabled(button);
}

}  // namespace

PropertyPage::PropertyPage(UINT templateId, UINT captionId)
{
    templateName = MAKEINTRESOURCEA(templateId);
    pageRecord = {};
    pageRecord.dwSize = PageRecordSize;
    pageRecord.dwFlags = PSP_USECALLBACK;
    pageRecord.hInstance = templateId != 0 ? InstanceHandle() : nullptr;
    pageRecord.pszTemplate = MAKEINTRESOURCEA(templateId);
    pageRecord.pfnDlgProc = DialogProcedure;
    pageRecord.lParam = reinterpret_cast<LPARAM>(this);
    pageRecord.pfnCallback = PageCallback;
    if (captionId != 0) {
        LoadStringResource(title, captionId);
        pageRecord.pszTitle = title.Text();
        pageRecord.dwFlags |= PSP_USETITLE;
    }
}

bool PropertyPage::OnNotify(NMHDR* header, WPARAM, LRESULT* result)
{
    HWND sheet = GetParent(handle);
    if (header->hwndFrom != handle && header->hwndFrom != sheet)
        return false;
    switch (header->code) {
    case PSN_SETACTIVE: {
        // A page's parent is always a property sheet, so an object bound to
        // it is a PropertySheet. A modal sheet that is not running shows no page.
        auto* sheetObject = static_cast<PropertySheet*>(FromHandle(sheet));
        const bool isRefused = sheetObject != nullptr && !sheetObject->IsMarkedRunning() && !sheetObject->modeless;
        *result = !isRefused && OnSetActive() ? 0 : -1;
        break;
    }
    case PSN_KILLACTIVE:
        *result = OnKillActive() ? 0 : 1;
        break;
    case PSN_APPLY:
        *result = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        break;
    case PSN_RESET:
        OnReset();
        break;
    case PSN_HELP:
        break;
    case PSN_WIZBACK:
        if (IsUsable(GetDlgItem(sheet, SheetBackButtonId)))
            *result = OnWizardBack();
        break;
    case PSN_WIZNEXT:
        if (IsUsable(GetDlgItem(sheet, SheetNextButtonId)))
            *result = OnWizardNext();
        break;
    case PSN_WIZFINISH:
        *result = OnWizardFinish() ? 0 : 1;
        break;
    case PSN_QUERYCANCEL:
        *result = OnQueryCancel() ? 0 : 1;
        break;
    default:
        return false;
    }
    // Also where the dialog manager keeps a dialog's answer, for readers that look there.
    SetWindowLongPtrA(handle, DWLP_MSGRESULT, *result);
    return true;
}

void PropertyPage::OnOK()
{
}

void PropertyPage::OnCancel()
{
}

bool PropertyPage::OnApply()
{
    OnOK();
    return true;
}

void PropertyPage::OnReset()
{
    OnCancel();
}

bool PropertyPage::OnSetActive()
{
    return true;
}

bool PropertyPage::OnKillActive()
{
    return true;
}

bool PropertyPage::OnQueryCancel()
{
    return true;
}

LRESULT PropertyPage::OnWizardBack()
{
    return 0;
}

LRESULT PropertyPage::OnWizardNext()
{
    return 0;
}

bool PropertyPage::OnWizardFinish()
{
    return true;
}
