// PropertySheet: the platform's property-sheet control, started modeless and run under the framework's modal loop.
#pragma once

#include <windows.h>
#include <commctrl.h>
// The headers map this name to their ANSI sheet function; here it names the class.
#undef PropertySheet

#include <cstddef>

#include <vector>

#include "base/String.h"
#include "framework/Window.h"

class PropertyPage;

// Collects pages (not owned: whoever added them destroys them), hands their
// records to the common controls' PropertySheetA and runs the sheet modally. In wizard mode the
// Back, Next and Finish buttons stand side by side and only their enabled
// state changes.
class PropertySheet : public Window {
public:
    // captionId: string-table entry of the caption; owner null means the
    // application's main window.
    PropertySheet(UINT captionId, HWND owner, UINT startPage);
    ~PropertySheet() override = default;

    // Records the id of the push button clicked last as the result; never
    // handles the click itself.
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Running, and the platform still has a current page (it has none after
    // Finish or Cancel).
    bool InModalLoop() override;
    // Ctrl+Tab, Ctrl+Page Up and Ctrl+Page Down go to the sheet first.
    bool PreTranslate(MSG* message) override;

    // The id of the button that ended the run (0x3025 Finish, IDCANCEL), the
    // EndDialog value, or 0.
    virtual int DoModal();
    virtual void EndDialog(int result);
    // Shows Back, Next and Finish and enables those whose PSWIZB_ flag is set; returns 0.
    virtual LRESULT SetWizardButtons(DWORD flags);

    void AddPage(PropertyPage* page);

    PROPSHEETHEADERA header;
    bool useOwner = true;
    std::vector<PropertyPage*> pages;
    String title;
    HWND ownerWindow = nullptr;
    bool stackedTabs = true;
    bool modeless = false;

private:
    void BuildPageArray();
    // WM_INITDIALOG: caption, wizard button layout, icon and centring around
    // the platform's own initialisation.
    LRESULT InitializeSheet(WPARAM wParam, LPARAM lParam);

    // The page records as handed to the platform, PageRecordSize apart.
    std::vector<unsigned char> pageArray;
};

// The size the sheet header is handed over with: up to the header bitmap.
constexpr DWORD SheetHeaderSize = offsetof(PROPSHEETHEADERA, hbmHeader) + sizeof(HBITMAP);

// Control ids of the platform's sheet window.
constexpr int SheetTabControlId = 0x3020;
constexpr int SheetBackButtonId = 0x3023;
constexpr int SheetNextButtonId = 0x3024;
constexpr int SheetFinishButtonId = 0x3025;
