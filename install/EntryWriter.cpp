// WriteEntryToNewFile: exclusive create, chunked copy, and the checks a full disk or a damaged entry needs.
#include "install/EntryWriter.h"

#include <windows.h>

#include "base/CopyStream.h"
#include "base/StdioFile.h"
#include "package/ArchiveReader.h"

EntryOutcome WriteEntryToNewFile(const char* path, ArchiveReader& archive, char* buffer)
{
    StdioFile file;
    switch (file.CreateNew(path)) {
    case StdioFile::CreateResult::Exists:
        return EntryOutcome::Exists;
    case StdioFile::CreateResult::Failed:
        return EntryOutcome::WriteFailed;
    case StdioFile::CreateResult::Created:
        break;
    }

    FileSink sink(file);
    const CopyEnd end = CopyStream(archive, &sink, CopyToEnd, buffer).end;
    EntryOutcome outcome = EntryOutcome::Written;
    if (end == CopyEnd::ReadFailed)
        outcome = EntryOutcome::Damaged;
    else if (end == CopyEnd::WriteFailed)
        outcome = EntryOutcome::WriteFailed;
    // The CRC is only checked for an entry read to its announced end, so an
    // entry cut short must be caught here.
    if (outcome == EntryOutcome::Written && !archive.IsEntryComplete())
        outcome = EntryOutcome::Damaged;
    // Buffered data reaches the disk only here, so a full disk may show now.
    if (file.Close() != 0 && outcome == EntryOutcome::Written)
        outcome = EntryOutcome::WriteFailed;
    // The CRC is checked when an entry that was read to its end is closed.
    if (outcome == EntryOutcome::Written && !archive.CloseEntry())
        outcome = EntryOutcome::Damaged;
    if (outcome != EntryOutcome::Written)
        DeleteFileA(path);
    return outcome;
}
