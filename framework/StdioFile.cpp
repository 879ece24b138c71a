// StdioFile: thin wrapper of fopen, fread, fwrite, fseek and fclose.
#include "framework/StdioFile.h"

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

int64_t StdioFile::Seek(int64_t offset, int origin)
{
    if (stream == nullptr)
        return 0;
#ifdef _WIN32
    // long is 32 bits on Windows; packages may pass 2 GB.
    if (_fseeki64(stream, offset, origin) != 0)
        return 0;
    return _ftelli64(stream);
#else
    if (fseeko(stream, static_cast<off_t>(offset), origin) != 0)
        return 0;
    return static_cast<int64_t>(ftello(stream));
#endif
}
