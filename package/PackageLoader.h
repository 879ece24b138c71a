// LoadPackage: the loader's checks from the trailer to PackHead, shared by the installer and themepack inspect.
#pragma once

#include <cstdint>

#include "base/ScratchFile.h"
#include "base/String.h"
#include "base/StringList.h"
#include "package/FileWindow.h"
#include "package/PackHead.h"
#include "package/PackageTrailer.h"
#include "package/ProgramSignature.h"

// The loader's failures in the order it checks them; the installer and
// themepack give each its user message with LoadFailureMessage.
enum class LoadFailure {
    None,
    CannotOpen,        // the package file cannot be opened for reading
    NoTrailer,         // the last 20 bytes are no trailer
    NoTemporaryFile,   // the archive copy cannot be created
    NotAnArchive,      // the payload is not a readable ZIP archive
    NoPackHead,        // no entry named PackHead
    BadHeader,         // PackHead's headerSize is not 16
    PartTooLarge,      // a PackHead length or its record count passes its limit
};

// How a load reaches the payload.
enum class PayloadAccess {
    // The installer's way: copied to a new temporary file (archive), which
    // other programs cannot change until it is deleted.
    Copy,
    // Read where it lies in the package file, through a window that ends
    // where the payload ends: no temporary file, and no byte outside the
    // payload is read as part of the archive.
    InPlace,
};

// One optional part of PackHead: its flag was set, so its length field was
// read; presentLength of the announced bytes arrived.
struct LoadedPart {
    bool isAnnounced = false;
    uint32_t announcedLength = 0;
    uint32_t presentLength = 0;
};

// Everything a load learns and makes. It owns the files it made: they are
// deleted with the object unless they are handed on with ScratchFile::Swap,
// so a failed load leaves nothing behind on any path.
struct PackageLoad {
    // A signed package keeps its trailer just before the certificate table.
    bool isSigned = false;
    CertificateTable signature;
    PackageTrailer trailer;
    // Where the trailer ends: the end of the file, or of a signed package's
    // part before its certificate table and any padding.
    uint64_t trailerEnd = 0;
    // Bytes copied to the archive copy; 0 when the payload is read in place.
    uint64_t payloadBytesCopied = 0;
    // The payload's bytes that the package holds: the trailer's
    // payloadLength, or fewer when the payload runs past the end of the file.
    uint64_t payloadBytesPresent = 0;
    PayloadAccess access = PayloadAccess::Copy;
    // The file the archive is read from: the copy, or the package itself
    // when the payload is read in place.
    String payloadFile;
    PackHeadFields fields;
    LoadedPart sideImagePart;
    LoadedPart descriptionPart;
    LoadedPart previewPart;
    String description;
    StringList patterns;
    // The payload copy (none when it is read in place), and the files of the
    // bitmap parts (none when the part is absent); all closed after the load.
    ScratchFile archive;
    ScratchFile sideImage;
    ScratchFile preview;

    // Where the archive lies, for ArchiveReader: the whole copy, or the
    // payload's stretch of the package. Its path is payloadFile's text.
    FileWindow Payload() const;
};

// Reads the package at path as the installer does: finds and checks the
// trailer (at the end of the file, or before the certificate table of a
// signed package),
// copies the payload to a new file in the temporary folder (named
// with temporaryPrefix) unless access reads it in place, finds PackHead and
// reads it. Stops at the first failure,
// keeping what it has learned and made so far in load. Both ways of access
// make the same checks and reach the same verdict on the same bytes.
LoadFailure LoadPackage(const char* path, const char* temporaryPrefix, PackageLoad& load,
                        PayloadAccess access = PayloadAccess::Copy);
