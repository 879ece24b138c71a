// PackageWriter: ZIP payloads through minizip's zip part, and whole packages around them.
#include "package/PackageWriter.h"

#include <zip.h>
#include <zlib.h>

#include <cerrno>
#include <cstring>

#include "base/CopyStream.h"
#include "base/HostText.h"
#include "base/PathText.h"
#include "base/ScratchFile.h"
#include "base/StdioFile.h"
#include "base/Text.h"
#include "package/PackHeadEncoder.h"
#include "package/PackageSources.h"
#include "package/PathPattern.h"
#include "package/PatternProblem.h"

namespace {

// The maximum level: minizip marks it with general-purpose flag bit 1.
constexpr int kDeflateLevel = 9;
constexpr int kMemoryLevel = 8;
constexpr uLong kVersionMadeBy = 0;
// Without zip64 an archive holds at most 65535 entries, PackHead among them.
constexpr size_t kFileLimit = 65534;
// Offsets and lengths in the trailer, in PackHead and in a plain ZIP are 32-bit.
constexpr uint64_t kSizeLimit = 0xFFFFFFFFu;
// Work files beside the output are named after the tool that left them.
constexpr char kScratchPrefix[] = "themepack";

zipFile Zip(void* handle)
{
    return static_cast<zipFile>(handle);
}

bool CheckFiles(const std::vector<PackageFile>& files, std::string& error)
{
    if (files.size() > kFileLimit) {
        error = std::to_string(files.size()) + " files; a package holds at most " + std::to_string(kFileLimit);
        return false;
    }
    for (const PackageFile& file : files) {
        const std::string problem = PatternProblem(file.pattern);
        if (!problem.empty()) {
            error = "pattern " + Quoted(file.pattern) + ": " + problem;
            return false;
        }
        // The loader finds PackHead by name, and the first match wins.
        if (IsPackHeadName(EntryNameForPattern(file.pattern).c_str())) {
            error = "pattern " + Quoted(file.pattern) + ": its entry would be taken for the PackHead entry";
            return false;
        }
        StdioFile source;
        uint64_t size = 0;
        if (!OpenSourceFile(file.sourcePath, source, size, error))
            return false;
        if (size >= kSizeLimit) {
            error = Quoted(file.sourcePath) + " is too large for a package (4 GB or more)";
            return false;
        }
    }
    return true;
}

bool CopyInto(const std::string& sourcePath, StdioFile& target, uint64_t& copied, std::string& error)
{
    StdioFile source;
    uint64_t size = 0;
    if (!OpenSourceFile(sourcePath, source, size, error))
        return false;
    std::vector<char> buffer(CopyChunkSize);
    FileSource reader(source);
    FileSink writer(target);
    const CopyResult result = CopyStream(reader, &writer, CopyToEnd, buffer.data(), CopyChunkSize);
    copied = result.copied;
    if (result.end == CopyEnd::WriteFailed) {
        error = "cannot write the package: " + std::string(std::strerror(errno));
        return false;
    }
    if (result.end == CopyEnd::ReadFailed) {
        error = "cannot read " + Quoted(sourcePath);
        return false;
    }
    return true;
}

// The data of one entry on its way into the archive. minizip is given the
// bytes raw, deflated here: its own deflate would mark text entries in the
// internal attributes, which packages as written keep at 0.
class EntryData : public ByteSink {
public:
    EntryData(void* handle, bool deflate) : handle(handle), isDeflated(deflate) {}
    EntryData(const EntryData&) = delete;
    EntryData& operator=(const EntryData&) = delete;
    ~EntryData() override
    {
        if (isStreamOpen)
            deflateEnd(&stream);
    }

    bool Start()
    {
        if (!isDeflated)
            return true;
        // Negative window bits: bare deflate data, as ZIP entries hold it.
        isStreamOpen = deflateInit2(&stream, kDeflateLevel, Z_DEFLATED, -MAX_WBITS, kMemoryLevel,
                                    Z_DEFAULT_STRATEGY) == Z_OK;
        return isStreamOpen;
    }

    bool Write(const void* data, unsigned length) override
    {
        crc = crc32(crc, static_cast<const Bytef*>(data), static_cast<uInt>(length));
        size += length;
        if (!isDeflated)
            return zipWriteInFileInZip(Zip(handle), data, static_cast<unsigned>(length)) == ZIP_OK;
        stream.next_in = static_cast<Bytef*>(const_cast<void*>(data));
        stream.avail_in = static_cast<uInt>(length);
        return Pump(Z_NO_FLUSH);
    }

    bool Finish() { return !isDeflated || Pump(Z_FINISH); }

    uint64_t Size() const { return size; }
    unsigned long Crc() const { return crc; }

private:
    bool Pump(int flush)
    {
        for (;;) {
            stream.next_out = output;
            stream.avail_out = sizeof output;
            const int result = deflate(&stream, flush);
            if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR)
                return false;
            const unsigned produced = static_cast<unsigned>(sizeof output - stream.avail_out);
            if (produced > 0 && zipWriteInFileInZip(Zip(handle), output, produced) != ZIP_OK)
                return false;
            if (flush == Z_FINISH ? result == Z_STREAM_END : stream.avail_out != 0)
                return true;
        }
    }

    void* handle;
    bool isDeflated;
    bool isStreamOpen = false;
    z_stream stream = {};
    unsigned long crc = crc32(0, nullptr, 0);
    uint64_t size = 0;
    Bytef output[CopyChunkSize];
};

}  // namespace

ZipWriter::~ZipWriter()
{
    if (handle != nullptr)
        zipClose(Zip(handle), nullptr);
}

bool ZipWriter::Create(const char* path)
{
    if (handle != nullptr)
        zipClose(Zip(handle), nullptr);
    handle = zipOpen(path, APPEND_STATUS_CREATE);
    hasFailed = handle == nullptr;
    return handle != nullptr;
}

bool ZipWriter::OpenEntry(const char* name, bool deflate)
{
    if (handle == nullptr) {
        hasFailed = true;
        return false;
    }
    // No file info: date, time and both attribute fields stay 0. No extra
    // fields, no comment, no zip64; the sizes go back into the local header,
    // so no data descriptor follows the data. Level 9 sets flag bit 1 even
    // for raw data.
    const int result = zipOpenNewFileInZip4_64(Zip(handle), name, nullptr, nullptr, 0, nullptr, 0, nullptr,
                                               deflate ? Z_DEFLATED : 0, deflate ? kDeflateLevel : 0, 1,
                                               -MAX_WBITS, kMemoryLevel, Z_DEFAULT_STRATEGY, nullptr, 0,
                                               kVersionMadeBy, 0, 0);
    if (result != ZIP_OK)
        hasFailed = true;
    return result == ZIP_OK;
}

bool ZipWriter::CloseEntry(bool written, uint64_t size, unsigned long crc)
{
    const bool closed = zipCloseFileInZipRaw64(Zip(handle), size, crc) == ZIP_OK;
    if (!closed || !written)
        hasFailed = true;
    return closed && written;
}

bool ZipWriter::AddFile(const char* name, const char* sourcePath)
{
    StdioFile source;
    if (!source.Open(sourcePath, "rb")) {
        hasFailed = true;
        return false;
    }
    if (!OpenEntry(name, true))
        return false;
    EntryData data(handle, true);
    bool written = data.Start();
    if (written) {
        std::vector<char> buffer(CopyChunkSize);
        FileSource reader(source);
        written = CopyStream(reader, &data, CopyToEnd, buffer.data(), CopyChunkSize).end == CopyEnd::SourceEnded;
    }
    written = written && data.Finish();
    return CloseEntry(written, data.Size(), data.Crc());
}

bool ZipWriter::AddBytes(const char* name, const void* bytes, size_t size, bool deflate)
{
    if (!OpenEntry(name, deflate))
        return false;
    EntryData data(handle, deflate);
    const char* next = static_cast<const char*>(bytes);
    bool written = data.Start();
    while (size > 0 && written) {
        const unsigned piece = size < CopyChunkSize ? static_cast<unsigned>(size) : CopyChunkSize;
        written = data.Write(next, piece);
        next += piece;
        size -= piece;
    }
    written = written && data.Finish();
    return CloseEntry(written, data.Size(), data.Crc());
}

bool ZipWriter::Close()
{
    if (handle == nullptr)
        return false;
    const bool closed = zipClose(Zip(handle), nullptr) == ZIP_OK;
    handle = nullptr;
    return closed && !hasFailed;
}

std::string EntryNameForPattern(const std::string& pattern)
{
    return pattern.substr(PathBelowVariable(pattern.c_str()));
}

bool AssemblePackage(const std::string& stubPath, const std::string& payloadPath, const std::string& outputPath,
                     PackageTrailer trailer, std::string& error)
{
    ScratchFile package;
    if (!package.Create(FolderOf(outputPath).c_str(), kScratchPrefix)) {
        error = "cannot create a file beside " + Quoted(outputPath);
        return false;
    }
    uint64_t stubSize = 0;
    uint64_t payloadSize = 0;
    if (!CopyInto(stubPath, package.File(), stubSize, error) ||
        !CopyInto(payloadPath, package.File(), payloadSize, error))
        return false;
    if (stubSize + payloadSize + PackageTrailerSize > kSizeLimit) {
        error = "the package would reach 4 GB, more than its trailer can describe";
        return false;
    }
    // The payload starts where the program image ends; its ZIP offsets count
    // from its own first byte, so it needs no adjustment here.
    trailer.payloadOffset = static_cast<uint32_t>(stubSize);
    trailer.payloadLength = static_cast<uint32_t>(payloadSize);
    unsigned char bytes[PackageTrailerSize];
    trailer.Encode(bytes);
    if (package.File().Write(bytes, sizeof bytes) != sizeof bytes || package.File().Close() != 0) {
        error = "cannot write the package beside " + Quoted(outputPath);
        return false;
    }
    if (!package.MoveTo(outputPath.c_str())) {
        error = "cannot write " + Quoted(outputPath);
        return false;
    }
    return true;
}

bool WritePackage(const PackageRequest& request, std::string& error)
{
    if (request.stubPath.empty()) {
        error = "no stub given";
        return false;
    }
    if (request.outputPath.empty()) {
        error = "no output file given";
        return false;
    }
    if (!CheckStubFile(request.stubPath, error))
        return false;

    PackHeadParts parts;
    parts.hasSideImage = !request.sideImagePath.empty();
    if (parts.hasSideImage && !ReadBitmapFile(request.sideImagePath, "side image", parts.sideImage, error))
        return false;
    parts.hasDescription = !request.descriptionPath.empty();
    if (parts.hasDescription && !ReadDescriptionFile(request.descriptionPath, parts.description, error))
        return false;
    if (parts.hasDescription && request.encodeDescription && !request.encodeDescription(parts.description, error)) {
        error = "description " + Quoted(request.descriptionPath) + ": " + error;
        return false;
    }
    parts.hasPreview = !request.previewPath.empty();
    if (parts.hasPreview && !ReadBitmapFile(request.previewPath, "preview", parts.preview, error))
        return false;
    if (!CheckFiles(request.files, error))
        return false;
    for (const PackageFile& file : request.files)
        parts.patterns.push_back(file.pattern);
    const std::vector<unsigned char> head = EncodePackHead(parts);
    if (head.size() >= kSizeLimit) {
        error = "the PackHead entry would reach 4 GB";
        return false;
    }

    // Declared before the writer, so the archive is closed before its file goes.
    ScratchFile payload;
    if (!payload.Create(FolderOf(request.outputPath).c_str(), kScratchPrefix)) {
        error = "cannot create a file beside " + Quoted(request.outputPath);
        return false;
    }
    // minizip opens the file by its name.
    payload.File().Close();
    ZipWriter zip;
    const std::string payloadPath = payload.Path().Text();
    if (!zip.Create(payloadPath.c_str())) {
        error = "cannot write " + Quoted(payloadPath);
        return false;
    }
    for (const PackageFile& file : request.files) {
        if (!zip.AddFile(EntryNameForPattern(file.pattern).c_str(), file.sourcePath.c_str())) {
            error = "cannot pack " + Quoted(file.sourcePath);
            return false;
        }
    }
    // After the files: the installer pairs entries and patterns by position.
    if (!zip.AddBytes(PackHeadName, head.data(), head.size()) || !zip.Close()) {
        error = "cannot write the archive " + Quoted(payloadPath);
        return false;
    }
    return AssemblePackage(request.stubPath, payloadPath, request.outputPath, PackageTrailer(), error);
}
