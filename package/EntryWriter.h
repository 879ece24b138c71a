// WriteEntryToNewFile: the current archive entry into a file that did not exist before.
#pragma once

class ArchiveReader;

// What became of one entry's destination file.
enum class EntryOutcome {
    Written,      // the file holds the entry's data, checked against its CRC
    Exists,       // a file was there already (or appeared): left untouched
    WriteFailed,  // could not be created or written; nothing of ours is left
    Damaged,      // the entry's data could not be read or failed its CRC; removed
    FontUnnamed,  // a font written whose name is missing or unusable: not registered
    FontNameTaken,  // a font written whose name the system lists already: not registered
};

// Creates path (never replacing a file) and copies the current entry into it,
// CopyChunkSize bytes at a time through buffer. A file that cannot be
// completed is deleted again: it is ours, we created it.
EntryOutcome WriteEntryToNewFile(const char* path, ArchiveReader& archive, char* buffer);
