// PropertyPage: one page of a property sheet, turning the sheet's notifications into virtual operations.
#pragma once

#include <windows.h>
#include <commctrl.h>
// The headers map this name to their ANSI sheet function; here it names the class.
#undef PropertySheet

#include <cstddef>

#include "framework/Dialog.h"
#include "base/String.h"

// Built on a numeric dialog template of the program. The page's window is
// created by the platform the first time the page is shown and bound to this
// object through the page callback; the sheet that lists the page does not
// own it.
class PropertyPage : public Dialog {
public:
    // captionId 0: the template's own caption.
    PropertyPage(UINT templateId, UINT captionId);
    ~PropertyPage() override = default;

    // Answers the notifications of the page's own sheet and writes their results.
    bool OnNotify(NMHDR* header, WPARAM id, LRESULT* result) override;
    // A page does not end anything by itself: the sheet does.
    void OnOK() override;
    void OnCancel() override;

    // False keeps the sheet open with the page shown (PSN_APPLY).
    virtual bool OnApply();
    virtual void OnReset();
    // False refuses the activation.
    virtual bool OnSetActive();
    // False keeps this page.
    virtual bool OnKillActive();
    // False refuses to cancel.
    virtual bool OnQueryCancel();
    // 0 goes to the neighbouring page, -1 stays, a template id jumps there.
    virtual LRESULT OnWizardBack();
    // 0 goes to the neighbouring page, -1 stays, a template id jumps there.
    virtual LRESULT OnWizardNext();
    // False refuses to finish.
    virtual bool OnWizardFinish();

    // What the sheet hands to the platform for this page.
    PROPSHEETPAGEA pageRecord;
    String title;
};

// The size the page records are handed over with: up to the header subtitle.
constexpr DWORD PageRecordSize = offsetof(PROPSHEETPAGEA, pszHeaderSubTitle) + sizeof(LPCSTR);
