// Dialog: a window built from a dialog template, run modally under the framework's own loop or modeless.
#pragma once

#include "framework/Window.h"

// The template comes from the program's resources (templateName), a loaded
// resource (templateHandle) or memory (templateData). Held by value by its
// user; the window lives from DoModal's start to its end.
class Dialog : public Window {
public:
    Dialog() = default;
    ~Dialog() override = default;

    // IDOK runs OnOK and IDCANCEL OnCancel when executed; a probe only hears
    // that both are handled.
    bool RouteCommand(UINT id, UINT code, void* extra, CommandState* probe) override;
    bool PreTranslate(MSG* message) override;

    using Window::Create;
    // Modeless from the dialog resource name; false when no window was made.
    virtual bool Create(const char* name, HWND owner);
    virtual bool Create(UINT id, HWND owner);
    // The result given to EndDialog; -1 without a template.
    virtual int DoModal();
    virtual void EndDialog(int result);
    // Takes the parent's small icon and centres the dialog; true lets the
    // system set the focus.
    bool OnInitDialog() override;
    virtual void OnOK();
    virtual void OnCancel();

    const char* templateName = nullptr;
    const DLGTEMPLATE* templateData = nullptr;
    HGLOBAL templateHandle = nullptr;
    // Null means the application's main window.
    HWND ownerWindow = nullptr;
};
