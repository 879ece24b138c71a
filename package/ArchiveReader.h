// ArchiveReader: an open ZIP archive (minizip's unzip handle) and its current entry.
#pragma once

#include <cstdint>

#include "base/CopyStream.h"
#include "base/String.h"
#include "package/FileWindow.h"

// What the central directory says of one entry.
struct ArchiveEntryInfo {
    String name;
    uint32_t method = 0;
    uint32_t flag = 0;
    uint32_t crc = 0;
    uint64_t compressedSize = 0;
    uint64_t uncompressedSize = 0;
};

class WindowedFile;

// Owns one unzip handle or none; the destructor closes the current entry and
// the archive. Reading goes to the current entry, so the object is also the
// byte source of that entry.
class ArchiveReader : public ByteSource {
public:
    ArchiveReader() = default;
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;
    ~ArchiveReader() override;

    // False when the file is not a readable ZIP archive.
    bool Open(const char* path);
    // The same for the archive in a stretch of a file; no read leaves it.
    bool Open(const FileWindow& window);
    void Close();
    bool IsOpen() const { return handle != nullptr; }

    // Makes the first entry of that name current; ASCII letters match in any
    // case. The central directory is read once, in memory.
    bool LocateEntry(const char* name);
    bool GoToFirstEntry();
    bool GoToNextEntry();
    bool GetEntryInfo(ArchiveEntryInfo& info) const;

    // Opens the current entry's data; false for a method that cannot be read.
    bool OpenEntry();
    // Where the open entry's stored data starts in the archive file; 0 when
    // no entry is open.
    uint64_t EntryDataOffset() const;
    // Bytes delivered, 0 at the end of the entry, negative on error.
    int Read(void* buffer, unsigned count) override;
    // True when every byte the directory announces has been read; an entry
    // whose data ends early reads as ended without being complete.
    bool IsEntryComplete() const;
    // False when the data did not match its CRC or no entry was open.
    bool CloseEntry();

private:
    enum class Scan { Found, Absent, Unsure };
    Scan ScanForEntry(const char* name, uint64_t& offset);

    void* handle = nullptr;
    // The file minizip reads through; it closes it with the archive.
    WindowedFile* file = nullptr;
    bool entryOpen = false;
};

// How reading an entry to its end went.
enum class EntryRead {
    Intact,      // every announced byte arrived and matched the CRC
    Damaged,     // a read failed, the data ended early, or the CRC did not match
    SinkFailed,  // the sink refused bytes; the rest was not read
};

// Reads the open current entry of archive to its end into sink (null: the
// bytes are only checked), CopyChunkSize at a time through buffer, and closes
// the entry. The installer reads every file this way, and so does themepack
// when it checks a package.
EntryRead ReadWholeEntry(ArchiveReader& archive, ByteSink* sink, char* buffer);
