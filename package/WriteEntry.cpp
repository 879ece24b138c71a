// WriteEntryToNewFile and WriteFontEntry: exclusive create, chunked copy, and the checks a full disk or a damaged entry needs.
#include "package/WriteEntry.h"

#include <cstdio>
#include <memory>

#include "base/StdioFile.h"
#include "package/ArchiveReader.h"
#include "package/FontFaceName.h"
#include "package/PathPattern.h"

EntryOutcome WriteEntryToNewFile(const char* path, ArchiveReader& archive, char* buffer)
{
    // Declared before the file, so that it outlives the stream.
    std::unique_ptr<char[]> streamBuffer;
    StdioFile file;
    switch (file.CreateNew(path)) {
    case StdioFile::CreateResult::Exists:
        return EntryOutcome::Exists;
    case StdioFile::CreateResult::Failed:
        return EntryOutcome::WriteFailed;
    case StdioFile::CreateResult::Created:
        break;
    }
    // A stream buffer as large as the copy's: a file that fits it reaches the
    // system in one write when it is closed, a larger one a chunk per write.
    // The runtime's own buffer (4 KiB, sized with one more system call on
    // Linux) would split every chunk in two.
    streamBuffer.reset(new char[CopyChunkSize]);
    file.SetBuffer(streamBuffer.get(), CopyChunkSize);

    FileSink sink(file);
    EntryOutcome outcome = EntryOutcome::Written;
    switch (ReadWholeEntry(archive, &sink, buffer)) {
    case EntryRead::Intact:
        break;
    case EntryRead::Damaged:
        outcome = EntryOutcome::Damaged;
        break;
    case EntryRead::SinkFailed:
        outcome = EntryOutcome::WriteFailed;
        break;
    }
    // Buffered data reaches the disk only here, so a full disk may show now.
    if (file.Close() != 0 && outcome == EntryOutcome::Written)
        outcome = EntryOutcome::WriteFailed;
    if (outcome != EntryOutcome::Written)
        std::remove(path);
    return outcome;
}

EntryOutcome WriteFontEntry(const char* path, ArchiveReader& archive, char* buffer, const FontNameEncoder& encoder,
                            String& faceName)
{
    if (!IsFontFile(path))
        return EntryOutcome::Exists;
    const EntryOutcome written = WriteEntryToNewFile(path, archive, buffer);
    if (written != EntryOutcome::Written)
        return written;
    // The name is read from the file as written, as the system reads it.
    return ReadFontFaceName(path, encoder, faceName) ? EntryOutcome::Written : EntryOutcome::FontUnnamed;
}
