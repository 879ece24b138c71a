// ExtractFiles: the shared walk for the installer: writes, registers fonts, reports to its page.
#include "install/ExtractFiles.h"

#include <windows.h>

#include <memory>

#include "base/CopyStream.h"
#include "base/Text.h"
#include "base/FolderMaker.h"
#include "install/ExtractionProgress.h"
#include "install/FontRegistration.h"
#include "install/SystemFolders.h"
#include "package/ArchiveReader.h"
#include "package/WriteEntry.h"
#include "package/ExtractionRun.h"
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
class InstallerExtractionRun : public ExtractionRun {
public:
    InstallerExtractionRun(ExtractionProgress& progress, const StringList& patterns, const PathVariables& variables,
                           ExtractionOutcome& outcome)
        : ExtractionRun(patterns, variables), progress(progress), outcome(outcome),
          version(DetectWindowsVersion()), buffer(new char[CopyChunkSize])
    {
    }

protected:
    void AppendLog(const char* line) override { progress.AppendLog(line); }
    void SetProgressPosition(int position) override { progress.SetProgressPosition(position); }
    bool MakeFolders(const char* path) override { return folders.Make(path); }
    EntryOutcome PlaceEntry(PathKind kind, const String& path, ArchiveReader& archive) override;

private:
    ExtractionProgress& progress;
    ExtractionOutcome& outcome;
    // Decides which font list fonts are entered in.
    const WindowsVersion version;
    std::unique_ptr<char[]> buffer;
    // Most files share the folder of the file before.
    FolderMaker folders;
};

EntryOutcome InstallerExtractionRun::PlaceEntry(PathKind kind, const String& path, ArchiveReader& archive)
{
    if (kind == PathKind::Font)
        return RegisterFont(path.Text(), archive, buffer.get(), version, outcome.fontsRegistered);
    // Remembered before the exists test: a theme already present can still
    // be opened. Only a .theme file: the shell would run anything else.
    if (kind == PathKind::Theme && outcome.themeFilePath.IsEmpty() && IsThemeFile(path))
        outcome.themeFilePath = path;
    // No folders are created in the system's own folders. The exclusive
    // create tells an existing file, which is left as it is.
    return WriteEntryToNewFile(path.Text(), archive, buffer.get());
}

}  // namespace

ExtractionOutcome ExtractFiles(ExtractionProgress& progress, const String& archivePath, const StringList& patterns,
                               const String& destination)
{
    const PathVariables variables = SystemPathVariables(destination);
    ExtractionOutcome outcome;
    ArchiveReader archive;
    if (!archive.Open(archivePath.Text())) {
        progress.AppendLog("Failed to open temporary file!\n");
        return outcome;
    }
    progress.SetStatusText("Extracting files...");
    InstallerExtractionRun run(progress, patterns, variables, outcome);
    outcome.success = run.Run(archive);
    // One broadcast for the whole run, and only after a run without failure.
    // A hung window elsewhere must not freeze the installer with it.
    if (outcome.success && outcome.fontsRegistered) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0, SMTO_ABORTIFHUNG, kBroadcastTimeout, &ignored);
    }
    return outcome;
}
