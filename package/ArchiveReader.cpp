// ArchiveReader: minizip's unzip calls behind an owning wrapper.
#include "package/ArchiveReader.h"

#include <unzip.h>

#include "package/WindowedFile.h"

namespace {

// minizip's own case-insensitive name comparison (ASCII letters only). Mode 0
// would mean the same only on Windows builds of minizip.
constexpr int kCaseInsensitive = 2;

}  // namespace

ArchiveReader::~ArchiveReader()
{
    Close();
}

bool ArchiveReader::Open(const char* path)
{
    Close();
    zlib_filefunc64_def functions;
    FillWindowedFileFunctions(functions);
    handle = unzOpen2_64(path, &functions);
    return handle != nullptr;
}

void ArchiveReader::Close()
{
    if (handle == nullptr)
        return;
    CloseEntry();
    unzClose(handle);
    handle = nullptr;
}

bool ArchiveReader::LocateEntry(const char* name)
{
    CloseEntry();
    return handle != nullptr && unzLocateFile(handle, name, kCaseInsensitive) == UNZ_OK;
}

bool ArchiveReader::GoToFirstEntry()
{
    CloseEntry();
    return handle != nullptr && unzGoToFirstFile(handle) == UNZ_OK;
}

bool ArchiveReader::GoToNextEntry()
{
    CloseEntry();
    return handle != nullptr && unzGoToNextFile(handle) == UNZ_OK;
}

bool ArchiveReader::GetEntryInfo(ArchiveEntryInfo& info) const
{
    if (handle == nullptr)
        return false;
    unz_file_info64 raw;
    if (unzGetCurrentFileInfo64(handle, &raw, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
        return false;
    const int nameLength = static_cast<int>(raw.size_filename);
    char* name = info.name.ReserveBuffer(nameLength + 1);
    if (unzGetCurrentFileInfo64(handle, &raw, name, static_cast<uLong>(nameLength) + 1, nullptr, 0,
                                nullptr, 0) != UNZ_OK)
        return false;
    name[nameLength] = '\0';
    info.name.CommitBuffer(-1);
    info.method = static_cast<uint32_t>(raw.compression_method);
    info.flag = static_cast<uint32_t>(raw.flag);
    info.crc = static_cast<uint32_t>(raw.crc);
    info.compressedSize = raw.compressed_size;
    info.uncompressedSize = raw.uncompressed_size;
    return true;
}

bool ArchiveReader::OpenEntry()
{
    CloseEntry();
    // minizip opens methods it cannot decode (bzip2, without its library) as
    // raw data and then skips the CRC: only stored and deflated data is data.
    unz_file_info64 info;
    if (handle == nullptr || unzGetCurrentFileInfo64(handle, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK ||
        (info.compression_method != 0 && info.compression_method != Z_DEFLATED))
        return false;
    entryOpen = unzOpenCurrentFile(handle) == UNZ_OK;
    return entryOpen;
}

uint64_t ArchiveReader::EntryDataOffset() const
{
    return entryOpen ? static_cast<uint64_t>(unzGetCurrentFileZStreamPos64(handle)) : 0;
}

int ArchiveReader::Read(void* buffer, unsigned count)
{
    if (!entryOpen)
        return -1;
    return unzReadCurrentFile(handle, buffer, count);
}

bool ArchiveReader::IsEntryComplete() const
{
    return entryOpen && unzeof(handle) == 1;
}

bool ArchiveReader::CloseEntry()
{
    if (!entryOpen)
        return false;
    entryOpen = false;
    return unzCloseCurrentFile(handle) == UNZ_OK;
}

EntryRead ReadWholeEntry(ArchiveReader& archive, ByteSink* sink, char* buffer)
{
    const CopyEnd end = CopyStream(archive, sink, CopyToEnd, buffer).end;
    EntryRead result = EntryRead::Intact;
    if (end == CopyEnd::WriteFailed)
        result = EntryRead::SinkFailed;
    // The CRC is only checked for an entry read to its announced end, so an
    // entry cut short must be caught here.
    else if (end == CopyEnd::ReadFailed || !archive.IsEntryComplete())
        result = EntryRead::Damaged;
    // Closing checks the CRC of an entry read to its end.
    if (!archive.CloseEntry() && result == EntryRead::Intact)
        result = EntryRead::Damaged;
    return result;
}
