// CopyStream: chunked copies with the reason they ended.
#include "base/CopyStream.h"

#include <cstring>

#include "base/StdioFile.h"

int FileSource::Read(void* buffer, unsigned count)
{
    const size_t got = file.Read(buffer, count);
    if (got == 0 && file.HasError())
        return -1;
    return static_cast<int>(got);
}

int ReadAheadSource::Read(void* out, unsigned count)
{
    if (start == end) {
        if (count >= CopyChunkSize)
            return source.Read(out, count);
        const int got = source.Read(buffer, CopyChunkSize);
        if (got <= 0)
            return got;
        start = 0;
        end = static_cast<unsigned>(got);
    }
    const unsigned part = count < end - start ? count : end - start;
    std::memcpy(out, buffer + start, part);
    start += part;
    return static_cast<int>(part);
}

bool FileSink::Write(const void* data, unsigned count)
{
    return file.Write(data, count) == count;
}

CopyResult CopyStream(ByteSource& source, ByteSink* sink, uint64_t limit, char* buffer, unsigned bufferSize)
{
    CopyResult result;
    while (result.copied < limit) {
        const uint64_t remaining = limit - result.copied;
        const unsigned request = remaining < bufferSize ? static_cast<unsigned>(remaining) : bufferSize;
        const int got = source.Read(buffer, request);
        if (got <= 0) {
            result.end = got == 0 ? CopyEnd::SourceEnded : CopyEnd::ReadFailed;
            return result;
        }
        if (sink != nullptr && !sink->Write(buffer, static_cast<unsigned>(got))) {
            result.end = CopyEnd::WriteFailed;
            return result;
        }
        result.copied += static_cast<uint64_t>(got);
    }
    return result;
}
