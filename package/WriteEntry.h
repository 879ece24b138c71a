// WriteEntryToNewFile and WriteFontEntry: the current archive entry into a file that did not exist before.
#pragma once

class ArchiveReader;
class FontNameEncoder;
class String;

// What became of one entry's destination file.
enum class EntryOutcome {
    Written,      // the file holds the entry's data, checked against its CRC
    Exists,       // a file was there already (or appeared): left untouched
    WriteFailed,  // could not be created or written; nothing of ours is left
    Damaged,      // the entry's data could not be read or failed its CRC; removed
    FontUnnamed,    // a font written whose name is missing or unusable: not registered
    FontInstalled,  // a font the system lists already: its entry stays, the copy is removed
};

// Creates path (never replacing a file) and copies the current entry into it,
// CopyChunkSize bytes at a time through buffer. A file that cannot be
// completed is deleted again: it is ours, we created it.
EntryOutcome WriteEntryToNewFile(const char* path, ArchiveReader& archive, char* buffer);

// The same for a %FontDir% entry: only a .ttf or .otf file is written (Exists,
// nothing written, for others), and faceName receives the full name it is
// listed under. FontUnnamed, the file kept, when it has no usable name.
EntryOutcome WriteFontEntry(const char* path, ArchiveReader& archive, char* buffer, const FontNameEncoder& encoder,
                            String& faceName);
