// PackHead: the header entry of a package's archive and its reader.
#pragma once

#include <cstdint>

#include "base/CopyStream.h"

class StdioFile;
class String;
class StringList;

constexpr char PackHeadName[] = "PackHead";
constexpr uint32_t PackHeadHeaderSize = 16;
constexpr uint32_t PackFlagSideImage = 1;
constexpr uint32_t PackFlagDescription = 2;
constexpr uint32_t PackFlagPreview = 4;

// What no real theme reaches; a PackHead that announces more is corrupt, so
// that a lying length can make the installer neither wait for nor hold more.
constexpr uint32_t DescriptionLengthLimit = 1u << 20;  // 1 MiB of text
constexpr uint32_t ImageLengthLimit = 32u << 20;       // 32 MiB per picture
constexpr uint32_t PatternLengthLimitInRecord = 32767; // the longest path the system takes
constexpr int32_t PatternCountLimit = 65535;           // the entries a plain ZIP archive holds

// The four header fields, as the reader leaves them: 0 where the entry did not
// supply them.
struct PackHeadFields {
    uint32_t headerSize = 0;
    int32_t fileCount = 0;
    uint32_t flags = 0;
    uint32_t entrySize = 0;
};

// True when an entry of this name is taken for PackHead: the loader compares
// the name without regard to the case of ASCII letters.
bool IsPackHeadName(const char* name);

// Receives the optional parts' lengths, and the two bitmap parts, while
// PackHead is read.
class PackHeadImageSink {
public:
    virtual ~PackHeadImageSink() = default;
    // flag is PackFlagSideImage or PackFlagPreview. Returns the open file to
    // copy the part into, or null to consume its bytes without writing them.
    virtual StdioFile* BeginImage(uint32_t flag, uint32_t announcedLength) = 0;
    // The part has been copied; copiedLength may fall short of the announcement.
    virtual void EndImage(uint32_t flag, uint32_t copiedLength) = 0;
    // The description has been read: presentLength of its announced
    // characters arrived.
    virtual void EndDescription(uint32_t announcedLength, uint32_t presentLength);
};

enum class PackHeadRead {
    Accepted,
    WrongHeaderSize,  // headerSize is not 16; only the header was read
    TooLarge,         // a length or the number of records passes its limit
};

// Reads PackHead from the current position of its entry: the header, the
// optional parts in flag order, then the path records. Shortages after the
// header are absorbed: missing length bytes read as 0, a part cut short keeps
// what arrived, and the path list stops at the first record without a full
// length. Reading stops at the first limit passed. copyBuffer holds
// CopyChunkSize bytes.
PackHeadRead ReadPackHead(ByteSource& stream, PackHeadImageSink& images, char* copyBuffer,
                  PackHeadFields& fields, String& description, StringList& patterns);
