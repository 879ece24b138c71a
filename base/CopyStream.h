// CopyStream: the one chunked copy between byte sources and sinks, and the file adapters for it.
#pragma once

#include <cstdint>

class StdioFile;

// The size of a copy's buffer: unpacking, header reads and the packager move
// at most this many bytes per read and write. Unpacked pieces of this size
// stay in the processor's cache beside zlib's own 32 KiB window.
constexpr unsigned CopyChunkSize = 32768;
// A limit that lets a copy run to the end of its source.
constexpr uint64_t CopyToEnd = UINT64_MAX;

// Bytes read front to back: an archive entry, a file.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Bytes delivered (at most count), 0 at the end, negative on error.
    // Readers ask again until they have what they need.
    virtual int Read(void* buffer, unsigned count) = 0;
};

// Where copied bytes go.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    // False when not every byte could be written.
    virtual bool Write(const void* data, unsigned count) = 0;
};

// A StdioFile read as a source; a read error is negative.
class FileSource : public ByteSource {
public:
    explicit FileSource(StdioFile& file) : file(file) {}
    int Read(void* buffer, unsigned count) override;

private:
    StdioFile& file;
};

// Serves a source's many small reads (a header's length fields and texts)
// from one buffer of CopyChunkSize bytes, so that each does not go to the
// source by itself; a read of a whole buffer or more goes straight through.
class ReadAheadSource : public ByteSource {
public:
    ReadAheadSource(ByteSource& source, char* buffer) : source(source), buffer(buffer) {}
    int Read(void* out, unsigned count) override;

private:
    ByteSource& source;
    char* buffer;
    unsigned start = 0;
    unsigned end = 0;
};

// A StdioFile written as a sink.
class FileSink : public ByteSink {
public:
    explicit FileSink(StdioFile& file) : file(file) {}
    bool Write(const void* data, unsigned count) override;

private:
    StdioFile& file;
};

// How a copy ended: Done when it moved limit bytes, SourceEnded when the
// source ran out first.
enum class CopyEnd { Done, SourceEnded, ReadFailed, WriteFailed };

struct CopyResult {
    uint64_t copied = 0;
    CopyEnd end = CopyEnd::Done;
};

// Copies up to limit bytes from source into sink (null: the bytes are only
// consumed), at most bufferSize at a time through buffer. Never reads past
// limit.
CopyResult CopyStream(ByteSource& source, ByteSink* sink, uint64_t limit, char* buffer, unsigned bufferSize);
