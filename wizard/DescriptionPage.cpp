// DescriptionPage: the text as stored, the caret at its end, the window colour behind it.
#include "wizard/DescriptionPage.h"

#include "loader/ThemePackage.h"
#include "res/resource.h"
#include "wizard/WizardSheet.h"

namespace {

// Past any text an edit control holds, which it limits to the text's end.
constexpr WPARAM kEndOfText = 0xFFFF;

}  // namespace

DescriptionPage::DescriptionPage(WizardSheet& sheet) : WizardPage(IDD_DESCRIPTION, sheet)
{
    backgroundBrush.CreateSolid(GetSysColor(COLOR_WINDOW));
}

bool DescriptionPage::OnInitDialog()
{
    Dialog::OnInitDialog();
    ShowSideImage();
    descriptionEdit.Subclass(GetDlgItem(handle, IDC_DESCRIPTION_EDIT));
    SetWindowTextA(descriptionEdit.Handle(), Package().description.Text());
    return true;
}

bool DescriptionPage::RouteCommand(UINT id, UINT code, void* extra, CommandState* probe)
{
    if (probe == nullptr && id == IDC_DESCRIPTION_EDIT && code == EN_SETFOCUS) {
        descriptionEdit.Send(EM_SETSEL, kEndOfText, kEndOfText);
        descriptionEdit.Send(EM_SCROLLCARET);
    }
    return WizardPage::RouteCommand(id, code, extra, probe);
}

LRESULT DescriptionPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CTLCOLORSTATIC) {
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(backgroundBrush.Get());
    }
    return WizardPage::HandleMessage(message, wParam, lParam);
}

bool DescriptionPage::OnSetActive()
{
    PostWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return true;
}

LRESULT DescriptionPage::OnWizardBack()
{
    return sheet.PageBefore(IDD_DESCRIPTION);
}
