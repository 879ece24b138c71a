// WizardSheet: construction, the title-bar icon, the page flow and the rich-edit library.
#include "wizard/WizardSheet.h"

#include "framework/Application.h"
#include "framework/SystemLibraries.h"
#include "install/Settings.h"
#include "loader/ThemePackage.h"
#include "res/resource.h"

namespace {

// The wizard's pages in the order they are added and shown.
constexpr UINT kPageOrder[] = {IDD_WELCOME, IDD_PREVIEW, IDD_DESCRIPTION, IDD_DESTINATION, IDD_UNPACK};

}  // namespace

WizardSheet::WizardSheet(const ThemePackage& package)
    : PropertySheet(IDS_WIZARD_CAPTION, nullptr, 0),
      package(package),
      welcomePage(*this),
      previewPage(*this),
      descriptionPage(*this),
      destinationPage(*this),
      unpackPage(*this)
{
    // No application window exists to be disabled while the wizard runs.
    useOwner = false;
    // The log's window class "RICHEDIT" comes with this library; a failure
    // leaves the log without a window and is not reported.
    richEditModule = LoadSystemLibrary("riched32.dll");
    LoadDefaultThemeDir(defaultDestination);
    AddPage(&welcomePage);
    AddPage(&previewPage);
    AddPage(&descriptionPage);
    AddPage(&destinationPage);
    AddPage(&unpackPage);
    header.dwFlags |= PSH_WIZARD;
}

WizardSheet::~WizardSheet()
{
    if (richEditModule != nullptr)
        FreeLibrary(richEditModule);
}

bool WizardSheet::OnInitDialog()
{
    HICON icon = LoadIconA(InstanceHandle(), MAKEINTRESOURCEA(IDI_WIZARD_ICON));
    Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    // Message boxes the pages show are owned by the wizard, which stays
    // disabled until they are answered: a second Next cannot re-enter a page
    // whose question is still open.
    if (Application* application = CurrentApplication())
        application->SetMainWindow(handle);
    return true;
}

LRESULT WizardSheet::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        Application* application = CurrentApplication();
        if (application != nullptr && application->MainWindow() == handle)
            application->SetMainWindow(nullptr);
    }
    return PropertySheet::HandleMessage(message, wParam, lParam);
}

bool WizardSheet::IsShown(UINT templateId) const
{
    if (templateId == IDD_PREVIEW)
        return package.HasPreview();
    if (templateId == IDD_DESCRIPTION)
        return package.HasDescription();
    return true;
}

UINT WizardSheet::PageAfter(UINT templateId) const
{
    const int count = static_cast<int>(sizeof kPageOrder / sizeof kPageOrder[0]);
    int at = 0;
    while (at < count && kPageOrder[at] != templateId)
        ++at;
    for (++at; at < count; ++at) {
        if (IsShown(kPageOrder[at]))
            return kPageOrder[at];
    }
    return templateId;
}

UINT WizardSheet::PageBefore(UINT templateId) const
{
    int at = static_cast<int>(sizeof kPageOrder / sizeof kPageOrder[0]) - 1;
    while (at >= 0 && kPageOrder[at] != templateId)
        --at;
    for (--at; at >= 0; --at) {
        if (IsShown(kPageOrder[at]))
            return kPageOrder[at];
    }
    return templateId;
}
