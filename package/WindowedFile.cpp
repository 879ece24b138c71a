// WindowedFile: a read-only file with two read-ahead windows, behind minizip's file functions.
#include "package/WindowedFile.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kWindowSize = 64 * 1024;

}  // namespace

bool WindowedFile::Open(const FileWindow& window)
{
    uint64_t fileSize = 0;
    if (!file.Open(window.path, "rb") || !file.Seek(0, SEEK_END, fileSize))
        return false;
    for (Window& each : windows)
        each.bytes.reset(new unsigned char[kWindowSize]);
    // A stretch that starts past the end of the file is empty, and one that
    // runs past it ends with the file.
    base = window.start;
    size = base >= fileSize ? 0 : fileSize - base < window.length ? fileSize - base : window.length;
    return true;
}

size_t WindowedFile::Read(unsigned char* out, size_t count)
{
    size_t done = 0;
    while (done < count) {
        Window* window = nullptr;
        for (int i = 0; i < 2; ++i) {
            if (windows[i].Holds(position)) {
                window = &windows[i];
                lastUsed = i;
            }
        }
        // A long read goes straight to the caller's buffer, not through a window.
        if (window == nullptr && count - done >= kWindowSize) {
            const size_t part = ReadAt(position, out + done, count - done);
            done += part;
            position += part;
            break;
        }
        if (window == nullptr) {
            window = &Load(count - done);
            if (!window->Holds(position))
                break;
        }
        const size_t offset = static_cast<size_t>(position - window->start);
        const size_t part = std::min(count - done, window->length - offset);
        std::memcpy(out + done, window->bytes.get() + offset, part);
        done += part;
        position += part;
    }
    return done;
}

WindowedFile::Window& WindowedFile::Load(size_t count)
{
    lastUsed = 1 - lastUsed;
    Window& window = windows[lastUsed];
    const uint64_t end = position + count;
    // minizip looks for the archive's end backwards, a kilobyte at a time, each
    // read ending just inside the one before: a window that ends where such a
    // read ends also holds the reads that follow it.
    const Window& other = windows[1 - lastUsed];
    const bool isBackward = other.length != 0 && position < other.start && end > other.start;
    window.start = !isBackward ? position : end > kWindowSize ? end - kWindowSize : 0;
    window.length = ReadAt(window.start, window.bytes.get(), kWindowSize);
    return window;
}

long WindowedFile::Seek(uint64_t offset, int origin)
{
    uint64_t base = 0;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR)
        base = position;
    else if (origin == ZLIB_FILEFUNC_SEEK_END)
        base = size;
    else if (origin != ZLIB_FILEFUNC_SEEK_SET)
        return -1;
    // Offsets come from the archive itself: a wrap around is a lie.
    if (base + offset < base)
        return -1;
    position = base + offset;
    if (origin == ZLIB_FILEFUNC_SEEK_SET)
        lastAbsoluteSeek = position;
    return 0;
}

size_t WindowedFile::ReadAt(uint64_t at, unsigned char* out, size_t count)
{
    if (at >= size)
        return 0;
    if (!file.Seek(static_cast<int64_t>(base + at), SEEK_SET)) {
        failed = true;
        return 0;
    }
    // Asking no further than the end saves the call that would report it.
    if (count > size - at)
        count = static_cast<size_t>(size - at);
    const size_t read = file.Read(out, count);
    if (read < count && file.HasError())
        failed = true;
    return read;
}

namespace {

WindowedFile* Of(voidpf stream)
{
    return static_cast<WindowedFile*>(stream);
}

voidpf ZCALLBACK OpenWindowed(voidpf opened, const void* path, int mode)
{
    if ((mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) != ZLIB_FILEFUNC_MODE_READ || path == nullptr)
        return nullptr;
    std::unique_ptr<WindowedFile> file(new WindowedFile);
    if (!file->Open(*static_cast<const FileWindow*>(path)))
        return nullptr;
    *static_cast<WindowedFile**>(opened) = file.get();
    return file.release();
}

uLong ZCALLBACK ReadWindowed(voidpf, voidpf stream, void* buffer, uLong count)
{
    return static_cast<uLong>(Of(stream)->Read(static_cast<unsigned char*>(buffer), count));
}

uLong ZCALLBACK RefuseWrite(voidpf, voidpf, const void*, uLong)
{
    return 0;
}

ZPOS64_T ZCALLBACK TellWindowed(voidpf, voidpf stream)
{
    return Of(stream)->Position();
}

long ZCALLBACK SeekWindowed(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    return Of(stream)->Seek(offset, origin);
}

int ZCALLBACK CloseWindowed(voidpf, voidpf stream)
{
    delete Of(stream);
    return 0;
}

int ZCALLBACK WindowedError(voidpf, voidpf stream)
{
    return Of(stream)->HasError() ? 1 : 0;
}

}  // namespace

void FillWindowedFileFunctions(zlib_filefunc64_def& functions, WindowedFile** opened)
{
    functions.zopen64_file = OpenWindowed;
    functions.zread_file = ReadWindowed;
    functions.zwrite_file = RefuseWrite;
    functions.ztell64_file = TellWindowed;
    functions.zseek64_file = SeekWindowed;
    functions.zclose_file = CloseWindowed;
    functions.zerror_file = WindowedError;
    functions.opaque = opened;
}
