// PackageTrailer: encoding, decoding and the reader's acceptance test.
#include "package/PackageTrailer.h"

#include <cstdio>

#include "base/StdioFile.h"
#include "base/ByteOrder.h"

void PackageTrailer::Decode(const unsigned char* bytes)
{
    trailerSize = GetLittleEndian32(bytes);
    magic = GetLittleEndian32(bytes + 4);
    formatVersion = GetLittleEndian32(bytes + 8);
    payloadOffset = GetLittleEndian32(bytes + 12);
    payloadLength = GetLittleEndian32(bytes + 16);
}

void PackageTrailer::Encode(unsigned char* bytes) const
{
    PutLittleEndian32(bytes, trailerSize);
    PutLittleEndian32(bytes + 4, magic);
    PutLittleEndian32(bytes + 8, formatVersion);
    PutLittleEndian32(bytes + 12, payloadOffset);
    PutLittleEndian32(bytes + 16, payloadLength);
}

bool PackageTrailer::ReadFrom(StdioFile& file)
{
    unsigned char bytes[PackageTrailerSize];
    Encode(bytes);
    // In a file shorter than the trailer the seek fails and the read starts at
    // the beginning; such a short read is never a trailer, whatever it holds.
    file.Seek(-static_cast<int64_t>(PackageTrailerSize), SEEK_END);
    const size_t read = file.Read(bytes, PackageTrailerSize);
    Decode(bytes);
    return read == PackageTrailerSize && trailerSize == read && magic == PackageTrailerMagic;
}

bool PackageTrailer::ReadBefore(StdioFile& file, uint64_t end)
{
    unsigned char bytes[PackageTrailerSize];
    if (end < PackageTrailerSize)
        return false;
    if (!file.Seek(static_cast<int64_t>(end - PackageTrailerSize), SEEK_SET) ||
        file.Read(bytes, PackageTrailerSize) != PackageTrailerSize)
        return false;
    Decode(bytes);
    return trailerSize == PackageTrailerSize && magic == PackageTrailerMagic;
}
