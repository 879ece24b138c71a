// Dialog: modal and modeless runs from templates, and the OK and Cancel commands.
#include "framework/Dialog.h"

#include "framework/WindowHost.h"

namespace {

const DLGTEMPLATE* LoadTemplate(const char* name, HGLOBAL& resource)
{
    HINSTANCE instance = InstanceHandle();
    HRSRC found = FindResourceA(instance, name, RT_DIALOG);
    resource = found != nullptr ? LoadResource(instance, found) : nullptr;
    return resource != nullptr ? static_cast<const DLGTEMPLATE*>(LockResource(resource)) : nullptr;
}

}  // namespace

bool Dialog::RouteCommand(UINT id, UINT, void*, CommandState* probe)
{
    if (id != IDOK && id != IDCANCEL)
        return false;
    if (probe == nullptr) {
        if (id == IDOK)
            OnOK();
        else
            OnCancel();
    }
    return true;
}

bool Dialog::PreTranslate(MSG* message)
{
    return FilterDialogInput(message);
}

bool Dialog::Create(const char* name, HWND owner)
{
    HGLOBAL resource = nullptr;
    const DLGTEMPLATE* dialogTemplate = LoadTemplate(name, resource);
    return dialogTemplate != nullptr && CreateFromTemplate(dialogTemplate, owner);
}

bool Dialog::Create(UINT id, HWND owner)
{
    return Create(MAKEINTRESOURCEA(LOWORD(id)), owner);
}

int Dialog::DoModal()
{
    HGLOBAL resource = templateHandle;
    const DLGTEMPLATE* dialogTemplate = nullptr;
    if (templateName != nullptr)
        dialogTemplate = LoadTemplate(templateName, resource);
    else if (resource != nullptr)
        dialogTemplate = static_cast<const DLGTEMPLATE*>(LockResource(resource));
    if (dialogTemplate == nullptr)
        dialogTemplate = templateData;
    if (dialogTemplate == nullptr)
        return -1;

    HWND owner = ownerWindow != nullptr ? ownerWindow : MainWindowHandle();
    while (owner != nullptr && (GetWindowLongPtrA(owner, GWL_STYLE) & WS_CHILD) != 0)
        owner = GetParent(owner);
    const bool disabledOwner = owner != nullptr && IsWindowEnabled(owner);
    if (disabledOwner)
        EnableWindow(owner, FALSE);

    if (CreateFromTemplate(dialogTemplate, owner)) {
        // OnInitDialog may already have ended the run.
        if ((stateFlags & ModalKeepRunning) != 0)
            RunModalLoop();
    }
    EndModalRun(owner, disabledOwner);
    Destroy();
    DisarmCreationHook();
    Detach();
    if (templateName != nullptr && resource != nullptr)
        FreeResource(resource);
    return modalResult;
}

void Dialog::EndDialog(int result)
{
    if ((stateFlags & (ModalKeepRunning | ModalRunning)) != 0)
        StopModalLoop(result);
    ::EndDialog(handle, result);
}

bool Dialog::OnInitDialog()
{
    TakeSmallIconFromParent();
    Center();
    return true;
}

void Dialog::OnOK()
{
    EndDialog(IDOK);
}

void Dialog::OnCancel()
{
    EndDialog(IDCANCEL);
}
