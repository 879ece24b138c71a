// StdioFile: one buffered C-runtime file stream, owned and closed by the object.
#pragma once

#include <cstdint>
#include <cstdio>

// Owns one FILE stream or none; the destructor closes it.
class StdioFile {
public:
    StdioFile() = default;
    StdioFile(const StdioFile&) = delete;
    StdioFile& operator=(const StdioFile&) = delete;
    virtual ~StdioFile();

    enum class CreateResult { Created, Exists, Failed };

    // Closes any open stream first; true when a stream was opened.
    bool Open(const char* path, const char* mode);
    // Opens a new file for reading and writing ("w+b") that never replaces
    // one that exists, even one that appears at the last moment. Until it is
    // closed, nobody else may write to it, nor read it unless allowReaders.
    CreateResult CreateNew(const char* path, bool allowReaders = false);
    // Gives the open stream buffer, size bytes, in place of the one the C
    // runtime would make; only before the first read or write, and buffer
    // must outlive the stream. False when the runtime refuses it.
    bool SetBuffer(char* buffer, size_t size);
    // The fclose result; 0 when nothing was open.
    int Close();
    // Number of bytes read; 0 for a count of 0 without touching the stream.
    size_t Read(void* buffer, size_t count);
    size_t Write(const void* buffer, size_t count);
    // Moves to offset from origin (SEEK_SET, SEEK_CUR, SEEK_END); false,
    // the position unknown, when the stream cannot go there. position
    // receives the new position from the start.
    bool Seek(int64_t offset, int origin, uint64_t& position);
    bool Seek(int64_t offset, int origin);
    // Reads exactly count bytes at offset from the start; false when fewer arrive.
    bool ReadAt(uint64_t offset, void* buffer, size_t count);

    // True after a read or write of the open stream failed.
    bool HasError() const { return stream != nullptr && std::ferror(stream) != 0; }
    // Exchanges the streams of two objects.
    void Swap(StdioFile& other);

    bool IsOpen() const { return stream != nullptr; }

private:
    FILE* stream = nullptr;
};
