// ExtractionRun: the installer's walk over a package's entries, shared with themepack extract.
#pragma once

#include "base/String.h"
#include "base/StringList.h"
#include "package/DataRanges.h"
#include "package/WriteEntry.h"
#include "package/PathPattern.h"

class ArchiveReader;
struct PathVariables;

// One walk over an open archive: entry i goes to pattern i, by position, the
// pattern expanded with the run's variable values. Refused patterns, damaged
// entries and failed writes become log lines; which decide the run and which
// end it is fixed here. Where a file goes, and where log lines and progress
// are shown, is the deriving class's: the installer's page, or a folder of
// stand-ins for themepack.
class ExtractionRun {
public:
    ExtractionRun(const StringList& patterns, const PathVariables& variables)
        : patterns(patterns), variables(variables)
    {
    }

    // False when anything failed.
    bool Run(ArchiveReader& archive);

protected:
    ~ExtractionRun() = default;

    // One log line, ending in its line feed.
    virtual void AppendLog(const char* line) = 0;
    // Positions 0 to 100, each sent once.
    virtual void SetProgressPosition(int position) = 0;
    // Makes the folders of a theme file's path; false ends the run.
    virtual bool MakeFolders(const char* path) = 0;
    // Puts the open current entry at path, a file of a Font, System or Theme
    // pattern (for Theme its folders exist); reading it to its end is the
    // deriving class's.
    virtual EntryOutcome PlaceEntry(PathKind kind, const String& path, ArchiveReader& archive) = 0;

private:
    // False when the loop must end.
    bool ExtractEntry(ArchiveReader& archive, const String& pattern);
    void Report(EntryOutcome outcome, const String& pattern, const String& path);
    void LogFormatted(const char* format, const char* path);

    const StringList& patterns;
    const PathVariables& variables;
    // Stored data already unpacked: an entry pointing into it is refused.
    DataRanges unpacked;
    bool success = true;
};
