// ExtractFiles: pairs entries with patterns, writes, registers fonts, logs and reports.
#include "install/ExtractFiles.h"

#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "base/CopyStream.h"
#include "base/Text.h"
#include "install/CreatePath.h"
#include "install/EntryWriter.h"
#include "install/ExtractionPage.h"
#include "install/FontRegistration.h"
#include "install/PathVariables.h"
#include "install/Settings.h"
#include "package/ArchiveReader.h"
#include "package/DataRanges.h"
#include "package/InstallerMessages.h"
#include "package/PathPattern.h"

namespace {

constexpr char kSuccessText[] = "The theme has been sucessfully unpackaed!\n\nClick Finish to close this dialog.";
constexpr char kFailureText[] =
    "There were errors which prevented the package from being unpacked.\nPlease examine the log below for messages.";

// Per window, for the font-change broadcast.
constexpr UINT kBroadcastTimeout = 5000;

bool IsThemeFile(const String& path)
{
    constexpr int kExtensionLength = 6;
    return path.Length() >= kExtensionLength && EqualsNoCase(path.Text() + path.Length() - kExtensionLength, ".theme");
}

void LogFormatted(ExtractionPage& page, const char* format, const char* path)
{
    String line;
    line.Format(format, path);
    page.AppendLog(line.Text());
}

// One run's walk over the archive; false when anything failed.
class ExtractionRun {
public:
    ExtractionRun(ExtractionPage& page, const StringList& patterns, String& themeFilePath)
        : page(page), patterns(patterns), themeFilePath(themeFilePath), version(DetectWindowsVersion()),
          buffer(new char[CopyChunkSize])
    {
    }

    bool Run(ArchiveReader& archive, const PathVariables& variables);
    bool FontsRegistered() const { return fontsRegistered; }

private:
    // False when the loop must end.
    bool ExtractEntry(ArchiveReader& archive, const String& pattern, const PathVariables& variables);
    void Report(EntryOutcome outcome, const String& pattern, const String& path);

    ExtractionPage& page;
    const StringList& patterns;
    String& themeFilePath;
    // Decides which font list fonts are entered in.
    const WindowsVersion version;
    std::unique_ptr<char[]> buffer;
    // Most files share the folder of the file before.
    FolderMaker folders;
    // Stored data already unpacked: an entry pointing into it is refused.
    DataRanges unpacked;
    bool success = true;
    bool fontsRegistered = false;
};

bool ExtractionRun::Run(ArchiveReader& archive, const PathVariables& variables)
{
    const int count = patterns.Count();
    int handled = 0;
    int progress = 0;
    // The bar has 101 positions: a position it already shows is not sent again.
    int shown = 0;
    archive.GoToFirstEntry();
    bool endedByFailure = false;
    while (handled < count) {
        if (!ExtractEntry(archive, patterns[handled], variables)) {
            endedByFailure = true;
            break;
        }
        progress += 100;
        ++handled;
        if (!archive.GoToNextEntry())
            break;
        if (progress / count != shown) {
            shown = progress / count;
            page.SetProgressPosition(shown);
        }
    }
    page.SetProgressPosition(100);
    // Failures that do not end the loop must not hide a short archive.
    if (!endedByFailure && handled != count) {
        page.AppendLog(NotAllInstalledLine);
        success = false;
    }
    return success;
}

bool ExtractionRun::ExtractEntry(ArchiveReader& archive, const String& pattern, const PathVariables& variables)
{
    // A package from the internet may aim anywhere: only a file below the
    // folder its variable stands for is written, and the run goes on.
    if (UnsafePatternReason(pattern.Text()) != nullptr) {
        LogFormatted(page, "Refused '%s'. It does not name a file inside its folder!\n", pattern.Text());
        success = false;
        return true;
    }
    if (!archive.OpenEntry()) {
        LogFormatted(page, EntryNotOpenedLine, pattern.Text());
        success = false;
        return false;
    }
    // Many entries over one stream would make a small package fill the disk.
    ArchiveEntryInfo info;
    if (!archive.GetEntryInfo(info) || !unpacked.Claim(archive.EntryDataOffset(), info.compressedSize)) {
        Report(EntryOutcome::Damaged, pattern, pattern);
        archive.CloseEntry();
        return true;
    }
    String path = pattern;
    EntryOutcome outcome = EntryOutcome::Exists;
    switch (ExpandPathPattern(path, variables)) {
    case PathKind::Font:
        outcome = RegisterFont(path.Text(), archive, buffer.get(), version, fontsRegistered);
        break;
    case PathKind::System:
        // No folders are created in the system's own folders. The exclusive
        // create tells an existing file, which is left as it is.
        outcome = WriteEntryToNewFile(path.Text(), archive, buffer.get());
        break;
    case PathKind::Theme:
        if (!folders.Make(path.Text())) {
            LogFormatted(page, "Failed to create path '%s'!\n", path.Text());
            success = false;
            return false;
        }
        // Remembered before the exists test: a theme already present can still
        // be opened. Only a .theme file: the shell would run anything else.
        if (themeFilePath.IsEmpty() && IsThemeFile(path))
            themeFilePath = path;
        outcome = WriteEntryToNewFile(path.Text(), archive, buffer.get());
        if (outcome == EntryOutcome::Exists)
            LogFormatted(page, "Skipping '%s'. File already exists!\n", path.Text());
        break;
    case PathKind::None:
        break;
    }
    Report(outcome, pattern, path);
    archive.CloseEntry();
    return true;
}

void ExtractionRun::Report(EntryOutcome outcome, const String& pattern, const String& path)
{
    if (outcome == EntryOutcome::WriteFailed) {
        LogFormatted(page, "Failed to write '%s'!\n", path.Text());
        success = false;
    } else if (outcome == EntryOutcome::Damaged) {
        LogFormatted(page, DamagedEntryLine, pattern.Text());
        success = false;
    } else if (outcome == EntryOutcome::FontUnnamed) {
        LogFormatted(page, "Font '%s' has no usable name and was not registered!\n", path.Text());
        success = false;
    } else if (outcome == EntryOutcome::FontNameTaken) {
        LogFormatted(page, "Font '%s' was not registered: its name is taken already!\n", path.Text());
        success = false;
    }
}

}  // namespace

bool ExtractFiles(ExtractionPage& page, const String& archivePath, const StringList& patterns,
                  const String& destination, String& themeFilePath)
{
    page.AdjustWaitCursor(+1);
    page.PostWizardButtons(0);
    page.SetProgressRange(0, 100);
    PathVariables variables;
    variables.Build(destination);

    bool success = false;
    ArchiveReader archive;
    if (!archive.Open(archivePath.Text())) {
        page.AppendLog("Failed to open temporary file!\n");
    } else {
        page.SetStatusText("Extracting files...");
        ExtractionRun run(page, patterns, themeFilePath);
        success = run.Run(archive, variables);
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
    page.SetMainText(success ? kSuccessText : kFailureText);
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
