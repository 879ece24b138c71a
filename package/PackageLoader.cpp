// LoadPackage: a straight sequence of checks; the owners in PackageLoad clean up on every way out.
#include "package/PackageLoader.h"

#include <memory>

#include "base/CopyStream.h"
#include "base/StdioFile.h"
#include "package/ArchiveReader.h"

namespace {

// A signing tool pads the file to a multiple of 8 bytes with zeros before it
// appends the certificate table.
constexpr int kSignaturePadding = 7;

// The trailer ends the file, or the part of a signed package before its
// certificate table, padding apart.
bool FindTrailer(StdioFile& package, PackageLoad& load)
{
    uint64_t size = 0;
    if (!package.Seek(0, SEEK_END, size))
        size = 0;
    load.trailerEnd = size;
    if (size == 0 || !FindCertificateTable(package, size, load.signature))
        return load.trailer.ReadFrom(package);
    load.isSigned = true;
    uint64_t end = load.signature.offset;
    for (int padding = 0; padding <= kSignaturePadding && end > 0; ++padding, --end) {
        if (load.trailer.ReadBefore(package, end)) {
            load.trailerEnd = end;
            return true;
        }
        unsigned char last = 1;
        package.Seek(static_cast<int64_t>(end - 1), SEEK_SET);
        if (package.Read(&last, 1) != 1 || last != 0)
            break;
    }
    return false;
}

// Writes the bitmap parts to new temporary files as they arrive and notes
// every part's lengths.
class TemporaryImageSink : public PackHeadImageSink {
public:
    TemporaryImageSink(PackageLoad& load, const char* prefix) : load(load), prefix(prefix) {}

    StdioFile* BeginImage(uint32_t flag, uint32_t announcedLength) override
    {
        LoadedPart& part = PartOf(flag);
        part.isAnnounced = true;
        part.announcedLength = announcedLength;
        // A file that cannot be made still has its bytes consumed, so that
        // the parts after it are read from the right place.
        ScratchFile& file = FileOf(flag);
        return file.CreateTemporary(prefix) ? &file.File() : nullptr;
    }

    void EndImage(uint32_t flag, uint32_t copiedLength) override
    {
        PartOf(flag).presentLength = copiedLength;
        // A picture that cannot be held loads as no picture, and says nothing.
        FileOf(flag).Seal();
    }

    void EndDescription(uint32_t announcedLength, uint32_t presentLength) override
    {
        load.descriptionPart = {true, announcedLength, presentLength};
    }

private:
    LoadedPart& PartOf(uint32_t flag) { return flag == PackFlagSideImage ? load.sideImagePart : load.previewPart; }
    ScratchFile& FileOf(uint32_t flag) { return flag == PackFlagSideImage ? load.sideImage : load.preview; }

    PackageLoad& load;
    const char* prefix;
};

}  // namespace

FileWindow PackageLoad::Payload() const
{
    FileWindow window;
    window.path = payloadFile.Text();
    if (access == PayloadAccess::InPlace) {
        window.start = trailer.payloadOffset;
        window.length = payloadBytesPresent;
    }
    return window;
}

LoadFailure LoadPackage(const char* path, const char* temporaryPrefix, PackageLoad& load, PayloadAccess access)
{
    StdioFile package;
    if (!package.Open(path, "rb"))
        return LoadFailure::CannotOpen;
    if (!FindTrailer(package, load))
        return LoadFailure::NoTrailer;

    // One buffer for every copy of the load, never the whole payload at once.
    // The payload goes file to file, where each read and write is a call into
    // the system (under Wine a trip to its server): larger pieces than the
    // unpacking's, which stay in the processor's cache beside zlib's window.
    constexpr unsigned kPayloadPiece = 8 * CopyChunkSize;
    const std::unique_ptr<char[]> buffer(new char[kPayloadPiece]);
    load.access = access;
    if (access == PayloadAccess::InPlace) {
        // The bytes a copy would hold: the archive is read as far as it is whole.
        uint64_t size = 0;
        const uint64_t start = load.trailer.payloadOffset;
        if (package.Seek(0, SEEK_END, size) && start < size)
            load.payloadBytesPresent = size - start < load.trailer.payloadLength ? size - start
                                                                                  : load.trailer.payloadLength;
        load.payloadFile = path;
    } else {
        package.Seek(load.trailer.payloadOffset, SEEK_SET);
        if (!load.archive.CreateTemporary(temporaryPrefix))
            return LoadFailure::NoTemporaryFile;
        // A payload that runs past the end of the file gives a shorter copy; the
        // archive inside is read as far as it is whole.
        FileSource source(package);
        FileSink copy(load.archive.File());
        load.payloadBytesCopied =
            CopyStream(source, &copy, load.trailer.payloadLength, buffer.get(), kPayloadPiece).copied;
        load.payloadBytesPresent = load.payloadBytesCopied;
        load.payloadFile = load.archive.Path();
        // Held against other writers until it is deleted: nothing may swap the
        // archive between this reading and the extraction.
        if (!load.archive.Seal())
            return LoadFailure::NoTemporaryFile;
    }
    package.Close();

    ArchiveReader archive;
    if (!archive.Open(load.Payload()))
        return LoadFailure::NotAnArchive;
    if (!archive.LocateEntry(PackHeadName))
        return LoadFailure::NoPackHead;
    archive.OpenEntry();  // an unreadable entry delivers no bytes and fails the header check

    TemporaryImageSink images(load, temporaryPrefix);
    // Thousands of patterns are thousands of small reads: through a buffer,
    // they cost about what copying the header's bytes does.
    const std::unique_ptr<char[]> readAhead(new char[CopyChunkSize]);
    ReadAheadSource header(archive, readAhead.get());
    switch (ReadPackHead(header, images, buffer.get(), load.fields, load.description, load.patterns)) {
    case PackHeadRead::Accepted:
        return LoadFailure::None;
    case PackHeadRead::WrongHeaderSize:
        return LoadFailure::BadHeader;
    case PackHeadRead::TooLarge:
        break;
    }
    return LoadFailure::PartTooLarge;
}
