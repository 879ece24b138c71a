// ArchiveReader: minizip's unzip calls behind an owning wrapper.
#include "package/ArchiveReader.h"

#include <unzip.h>

#include "base/ByteOrder.h"
#include "base/Text.h"
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
    FileWindow window;
    window.path = path;
    return Open(window);
}

bool ArchiveReader::Open(const FileWindow& window)
{
    Close();
    zlib_filefunc64_def functions;
    FillWindowedFileFunctions(functions, &file);
    // minizip hands this on to the open function, which reads it as a FileWindow.
    handle = unzOpen2_64(&window, &functions);
    if (handle == nullptr)
        file = nullptr;
    return handle != nullptr;
}

void ArchiveReader::Close()
{
    if (handle == nullptr)
        return;
    CloseEntry();
    unzClose(handle);
    handle = nullptr;
    file = nullptr;
}

bool ArchiveReader::LocateEntry(const char* name)
{
    CloseEntry();
    if (handle == nullptr)
        return false;
    uint64_t offset = 0;
    switch (ScanForEntry(name, offset)) {
    case Scan::Found:
        if (unzSetOffset64(handle, offset) == UNZ_OK)
            return true;
        break;
    case Scan::Absent:
        return false;
    case Scan::Unsure:
        break;
    }
    // minizip's own walk, a record at a time, for an archive the scan could
    // not read to its end: it decides as it always has.
    return unzLocateFile(handle, name, kCaseInsensitive) == UNZ_OK;
}

// minizip's walk asks for every record separately, and that alone costs
// as much as copying a package of thousands of small files. The same walk,
// over the records as they lie in the file: the same first match, the same
// end (after the announced number of records), and the same view of a name
// (its first 256 bytes, up to a zero byte). Unsure where the two could
// differ: a record that is damaged or cut off.
ArchiveReader::Scan ArchiveReader::ScanForEntry(const char* name, uint64_t& offset)
{
    constexpr uint32_t kRecordSignature = 0x02014b50;
    constexpr unsigned kRecordSize = 46;
    constexpr unsigned kNameView = 256;  // what minizip compares of a name
    unz_global_info64 global;
    if (file == nullptr || unzGetGlobalInfo64(handle, &global) != UNZ_OK || unzGoToFirstFile(handle) != UNZ_OK)
        return Scan::Unsure;
    const uint64_t first = unzGetOffset64(handle);
    // minizip has just read the first record from here.
    const uint64_t start = file->LastAbsoluteSeek();
    const bool counted = global.number_entry != 0 && global.number_entry != 0xffff;
    if (file->Seek(start, ZLIB_FILEFUNC_SEEK_SET) != 0)
        return Scan::Unsure;
    for (uint64_t index = 0;; ++index) {
        const uint64_t recordAt = file->Position();
        unsigned char record[kRecordSize];
        if (file->Read(record, kRecordSize) != kRecordSize || GetLittleEndian32(record) != kRecordSignature)
            return Scan::Unsure;
        const unsigned nameLength = record[28] | record[29] << 8;
        const unsigned extraLength = record[30] | record[31] << 8;
        const unsigned commentLength = record[32] | record[33] << 8;
        char seen[kNameView + 1];
        const unsigned viewed = nameLength < kNameView ? nameLength : kNameView;
        if (file->Read(reinterpret_cast<unsigned char*>(seen), viewed) != viewed)
            return Scan::Unsure;
        seen[viewed] = '\0';
        if (EqualsNoCase(seen, name)) {
            offset = first + (recordAt - start);
            return Scan::Found;
        }
        if (counted && index + 1 >= global.number_entry)
            return Scan::Absent;
        file->Seek(nameLength - viewed + extraLength + commentLength, ZLIB_FILEFUNC_SEEK_CUR);
    }
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
    const CopyEnd end = CopyStream(archive, sink, CopyToEnd, buffer, CopyChunkSize).end;
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
