// ThemePackage::Load: from the executable's trailer to a filled package.
#include "package/ThemePackage.h"

#include <windows.h>

#include <memory>

#include "framework/StdioFile.h"
#include "package/ArchiveReader.h"
#include "package/PackHead.h"
#include "package/PackageTrailer.h"

namespace {

constexpr char kTemporaryPrefix[] = "VLP";

// Reserves a new unique name in folder and creates the empty file under it;
// the name is empty when the reservation failed.
void ReserveTemporaryFile(const String& folder, String& path)
{
    char* buffer = path.ReserveBuffer(MAX_PATH);
    if (GetTempFileNameA(folder.Text(), kTemporaryPrefix, 0, buffer) == 0)
        buffer[0] = '\0';
    path.CommitBuffer(-1);
}

// Copies length bytes from the executable's current position into target,
// through buffer; a payload that runs past the end of the file gives a
// shorter copy.
void CopyPayload(StdioFile& source, StdioFile& target, uint32_t length, char* buffer)
{
    uint32_t remaining = length;
    while (remaining > 0) {
        const size_t request = remaining < CopyChunkSize ? remaining : CopyChunkSize;
        const size_t got = source.Read(buffer, request);
        if (got == 0)
            break;
        target.Write(buffer, got);
        remaining -= static_cast<uint32_t>(got);
    }
}

// Writes the two bitmap parts of PackHead to temporary files as they arrive;
// the side image is loaded as soon as its file is complete.
class TemporaryImageSink : public PackHeadImageSink {
public:
    TemporaryImageSink(ThemePackage& package, const String& folder) : package(package), folder(folder) {}

    StdioFile* BeginImage(uint32_t flag, uint32_t) override
    {
        String& path = flag == PackFlagSideImage ? package.sideImagePath : package.previewPath;
        ReserveTemporaryFile(folder, path);
        // A file that cannot be opened still has its bytes consumed, so that
        // the parts after it are read from the right place; the path keeps the
        // reserved name and is deleted with the others.
        return file.Open(path.Text(), "w+b") ? &file : nullptr;
    }

    void EndImage(uint32_t flag, uint32_t) override
    {
        file.Close();
        if (flag == PackFlagSideImage)
            package.sideImage.Load(package.sideImagePath.Text(), 0, 0, LR_LOADFROMFILE);
    }

private:
    ThemePackage& package;
    const String& folder;
    StdioFile file;
};

}  // namespace

const char* ThemePackage::Load(const char* executablePath)
{
    PackageTrailer trailer;
    StdioFile executable;
    if (!executable.Open(executablePath, "rb"))
        return "Failed to open package!";
    if (!trailer.ReadFrom(executable))
        return "Not a valid theme package!";
    executable.Seek(trailer.payloadOffset, SEEK_SET);

    String temporaryFolder;
    GetTempPathA(MAX_PATH, temporaryFolder.ReserveBuffer(MAX_PATH));
    temporaryFolder.CommitBuffer(-1);

    ReserveTemporaryFile(temporaryFolder, archivePath);
    StdioFile archiveCopy;
    if (!archiveCopy.Open(archivePath.Text(), "w+b")) {
        // The reservation created an empty file; it is ours to remove.
        if (!archivePath.IsEmpty())
            DeleteFileA(archivePath.Text());
        return "Failed to create temporary file!";
    }
    // One buffer for every copy of the run, never the whole payload at once.
    const std::unique_ptr<char[]> buffer(new char[CopyChunkSize]);
    CopyPayload(executable, archiveCopy, trailer.payloadLength, buffer.get());
    archiveCopy.Close();
    executable.Close();

    ArchiveReader archive;
    if (!archive.Open(archivePath.Text()) || !archive.LocateEntry(PackHeadName)) {
        archive.Close();
        DeleteFileA(archivePath.Text());
        return "Corrupted theme package!";
    }
    archive.OpenEntry();  // an unreadable entry delivers no bytes and fails the header check

    PackHeadFields fields;
    TemporaryImageSink images(*this, temporaryFolder);
    const bool accepted = ReadPackHead(archive, images, buffer.get(), fields, description, files);
    headerSize = fields.headerSize;
    fileCount = fields.fileCount;
    flags = fields.flags;
    entrySize = fields.entrySize;
    archive.Close();
    if (!accepted) {
        DeleteFileA(archivePath.Text());
        return "Corrupted theme package!";
    }
    return nullptr;
}

void ThemePackage::DeleteTemporaryFiles()
{
    // An empty path deletes nothing.
    DeleteFileA(archivePath.Text());
    DeleteFileA(sideImagePath.Text());
    DeleteFileA(previewPath.Text());
}
