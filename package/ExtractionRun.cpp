// ExtractionRun: pairs entries with patterns, refuses what must not be written, and logs every problem.
#include "package/ExtractionRun.h"

#include "package/ArchiveReader.h"
#include "package/InstallerMessages.h"
#include "package/PathVariables.h"

bool ExtractionRun::Run(ArchiveReader& archive)
{
    const int count = patterns.Count();
    int handled = 0;
    int progress = 0;
    // The bar has 101 positions: a position it already shows is not sent again.
    int shown = 0;
    archive.GoToFirstEntry();
    bool endedByFailure = false;
    while (handled < count) {
        if (!ExtractEntry(archive, patterns[handled])) {
            endedByFailure = true;
            break;
        }
        progress += 100;
        ++handled;
        if (!archive.GoToNextEntry())
            break;
        if (progress / count != shown) {
            shown = progress / count;
            SetProgressPosition(shown);
        }
    }
    SetProgressPosition(100);
    // Failures that do not end the loop must not hide a short archive.
    if (!endedByFailure && handled != count) {
        AppendLog(NotAllInstalledLine);
        success = false;
    }
    return success;
}

bool ExtractionRun::ExtractEntry(ArchiveReader& archive, const String& pattern)
{
    // A package from the internet may aim anywhere: only a file below the
    // folder its variable stands for is written, and the run goes on.
    if (UnsafePatternReason(pattern.Text()) != nullptr) {
        LogFormatted("Refused '%s'. It does not name a file inside its folder!\n", pattern.Text());
        success = false;
        return true;
    }
    if (!archive.OpenEntry()) {
        LogFormatted(EntryNotOpenedLine, pattern.Text());
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
#ifndef _WIN32
    // Patterns separate folders with '\' as well; this host takes only '/'.
    path.ReplaceNoCase("\\", "/");
#endif
    const PathKind kind = ExpandPathPattern(path, variables);
    EntryOutcome outcome = EntryOutcome::Exists;
    if (kind == PathKind::Theme && !MakeFolders(path.Text())) {
        LogFormatted("Failed to create path '%s'!\n", path.Text());
        success = false;
        return false;
    }
    if (kind != PathKind::None)
        outcome = PlaceEntry(kind, path, archive);
    if (kind == PathKind::Theme && outcome == EntryOutcome::Exists)
        LogFormatted("Skipping '%s'. File already exists!\n", path.Text());
    Report(outcome, pattern, path);
    archive.CloseEntry();
    return true;
}

void ExtractionRun::Report(EntryOutcome outcome, const String& pattern, const String& path)
{
    if (outcome == EntryOutcome::WriteFailed) {
        LogFormatted("Failed to write '%s'!\n", path.Text());
        success = false;
    } else if (outcome == EntryOutcome::Damaged) {
        LogFormatted(DamagedEntryLine, pattern.Text());
        success = false;
    } else if (outcome == EntryOutcome::FontUnnamed) {
        LogFormatted(FontUnnamedLine, path.Text());
        success = false;
    } else if (outcome == EntryOutcome::FontInstalled) {
        // The theme has its font: a note, not a failure.
        LogFormatted(FontInstalledLine, path.Text());
    }
}

void ExtractionRun::LogFormatted(const char* format, const char* path)
{
    String line;
    line.Format(format, path);
    AppendLog(line.Text());
}
