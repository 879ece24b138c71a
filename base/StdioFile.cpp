// StdioFile: thin wrapper of fopen, fread, fwrite, fseek and fclose.
#include "base/StdioFile.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

StdioFile::~StdioFile()
{
    Close();
}

bool StdioFile::Open(const char* path, const char* mode)
{
    Close();
    stream = std::fopen(path, mode);
    return stream != nullptr;
}

StdioFile::CreateResult StdioFile::CreateNew(const char* path, bool allowReaders)
{
    Close();
#ifdef _WIN32
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, allowReaders ? FILE_SHARE_READ : 0, nullptr,
                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // A folder of that name is in the way, not a file that exists.
        const DWORD attributes = GetFileAttributesA(path);
        const bool isFile = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
        return (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) && isFile ? CreateResult::Exists
                                                                                       : CreateResult::Failed;
    }
    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_RDWR | _O_BINARY);
    if (descriptor == -1) {
        CloseHandle(file);
        DeleteFileA(path);
        return CreateResult::Failed;
    }
#else
    // Files here have no share modes; other writers are not kept out.
    static_cast<void>(allowReaders);
    const int descriptor = open(path, O_RDWR | O_CREAT | O_EXCL, 0666);
    if (descriptor == -1) {
        const int error = errno;
        // A folder of that name is in the way, not a file that exists.
        struct stat status;
        const bool isFile = stat(path, &status) == 0 && !S_ISDIR(status.st_mode);
        return error == EEXIST && isFile ? CreateResult::Exists : CreateResult::Failed;
    }
#endif
#ifdef _WIN32
    stream = _fdopen(descriptor, "w+b");
#else
    stream = fdopen(descriptor, "w+b");
#endif
    if (stream == nullptr) {
        // The descriptor owns the new, empty file: close it and take the file back.
#ifdef _WIN32
        _close(descriptor);
        DeleteFileA(path);
#else
        close(descriptor);
        unlink(path);
#endif
        return CreateResult::Failed;
    }
    return CreateResult::Created;
}

void StdioFile::Swap(StdioFile& other)
{
    FILE* held = stream;
    stream = other.stream;
    other.stream = held;
}

bool StdioFile::SetBuffer(char* buffer, size_t size)
{
    return stream != nullptr && std::setvbuf(stream, buffer, _IOFBF, size) == 0;
}

int StdioFile::Close()
{
    if (stream == nullptr)
        return 0;
    const int result = std::fclose(stream);
    stream = nullptr;
    return result;
}

size_t StdioFile::Read(void* buffer, size_t count)
{
    if (count == 0 || stream == nullptr)
        return 0;
    return std::fread(buffer, 1, count, stream);
}

size_t StdioFile::Write(const void* buffer, size_t count)
{
    if (count == 0 || stream == nullptr)
        return 0;
    return std::fwrite(buffer, 1, count, stream);
}

bool StdioFile::Seek(int64_t offset, int origin, uint64_t& position)
{
    if (!Seek(offset, origin))
        return false;
#ifdef _WIN32
    const int64_t at = _ftelli64(stream);
#else
    const int64_t at = static_cast<int64_t>(ftello(stream));
#endif
    position = static_cast<uint64_t>(at);
    return at >= 0;
}

bool StdioFile::ReadAt(uint64_t offset, void* buffer, size_t count)
{
    return Seek(static_cast<int64_t>(offset), SEEK_SET) && Read(buffer, count) == count;
}

bool StdioFile::Seek(int64_t offset, int origin)
{
    if (stream == nullptr)
        return false;
#ifdef _WIN32
    // long is 32 bits on Windows; packages may pass 2 GB.
    return _fseeki64(stream, offset, origin) == 0;
#else
    return fseeko(stream, static_cast<off_t>(offset), origin) == 0;
#endif
}
