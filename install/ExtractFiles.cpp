// ExtractFiles: the shared walk on the unpack page: writes, registers fonts, shows the log and the outcome.
#include "install/ExtractFiles.h"

#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "base/CopyStream.h"
#include "base/Text.h"
#include "base/FolderMaker.h"
#include "install/ExtractionPage.h"
#include "install/FontRegistration.h"
#include "install/Settings.h"
#include "install/SystemFolders.h"
#include "package/ArchiveReader.h"
#include "package/WriteEntry.h"
#include "package/ExtractionRun.h"
#include "package/InstallerMessages.h"
#include "package/PathVariables.h"

namespace {

// Per window, for the font-change broadcast.
constexpr UINT kBroadcastTimeout = 5000;

bool IsThemeFile(const String& path)
{
    constexpr int kExtensionLength = 6;
    return path.Length() >= kExtensionLength && EqualsNoCase(path.Text() + path.Length() - kExtensionLength, ".theme");
}

// The installer's side of the walk: its page shows the log and the progress,
// fonts are registered, and the first theme file is remembered for Finish.
class PageExtractionRun : public ExtractionRun {
public:
    PageExtractionRun(ExtractionPage& page, const StringList& patterns, const PathVariables& variables,
                      String& themeFilePath)
        : ExtractionRun(patterns, variables), page(page), themeFilePath(themeFilePath),
          version(DetectWindowsVersion()), buffer(new char[CopyChunkSize])
    {
    }

    bool FontsRegistered() const { return fontsRegistered; }

protected:
    void AppendLog(const char* line) override { page.AppendLog(line); }
    void SetProgressPosition(int position) override { page.SetProgressPosition(position); }
    bool MakeFolders(const char* path) override { return folders.Make(path); }
    EntryOutcome PlaceEntry(PathKind kind, const String& path, ArchiveReader& archive) override;

private:
    ExtractionPage& page;
    String& themeFilePath;
    // Decides which font list fonts are entered in.
    const WindowsVersion version;
    std::unique_ptr<char[]> buffer;
    // Most files share the folder of the file before.
    FolderMaker folders;
    bool fontsRegistered = false;
};

EntryOutcome PageExtractionRun::PlaceEntry(PathKind kind, const String& path, ArchiveReader& archive)
{
    if (kind == PathKind::Font)
        return RegisterFont(path.Text(), archive, buffer.get(), version, fontsRegistered);
    // Remembered before the exists test: a theme already present can still
    // be opened. Only a .theme file: the shell would run anything else.
    if (kind == PathKind::Theme && themeFilePath.IsEmpty() && IsThemeFile(path))
        themeFilePath = path;
    // No folders are created in the system's own folders. The exclusive
    // create tells an existing file, which is left as it is.
    return WriteEntryToNewFile(path.Text(), archive, buffer.get());
}

}  // namespace

bool ExtractFiles(ExtractionPage& page, const String& archivePath, const StringList& patterns,
                  const String& destination, String& themeFilePath)
{
    page.AdjustWaitCursor(+1);
    page.PostWizardButtons(0);
    page.SetProgressRange(0, 100);
    const PathVariables variables = SystemPathVariables(destination);

    bool success = false;
    ArchiveReader archive;
    if (!archive.Open(archivePath.Text())) {
        page.AppendLog("Failed to open temporary file!\n");
    } else {
        page.SetStatusText("Extracting files...");
        PageExtractionRun run(page, patterns, variables, themeFilePath);
        success = run.Run(archive);
        // One broadcast for the whole run, and only after a run without failure.
        // A hung window elsewhere must not freeze the installer with it.
        if (success && run.FontsRegistered()) {
            DWORD_PTR ignored = 0;
            SendMessageTimeoutA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0, SMTO_ABORTIFHUNG, kBroadcastTimeout, &ignored);
        }
        archive.Close();
    }

    page.PostWizardButtons(PSWIZB_FINISH);
    page.DisableCancel();
    page.SetMainText(success ? UnpackedText : NotUnpackedText);
    page.SetStatusText("");
    if (success) {
        page.SetCheck(LoadOpenThemeAfterUnpack());
        if (!themeFilePath.IsEmpty() && ThemeFilesOpenWithThemeManager())
            page.ShowCheckBox();
    }
    page.StopAnimation();
    page.AdjustWaitCursor(-1);
    return success;
}
