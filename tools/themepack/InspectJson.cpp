// themepack inspect --json: the package's report as one JSON document, from the same report as the text.
#include "tools/themepack/InspectJson.h"

#include "package/InstallerMessages.h"
#include "tools/themepack/InstalledStub.h"
#include "tools/themepack/ReportCommand.h"

namespace {

const char* LayoutName(PayloadLayout layout)
{
    switch (layout) {
    case PayloadLayout::AsWritten:
        return "asWritten";
    case PayloadLayout::Gap:
        return "gap";
    case PayloadLayout::OverlapsTrailer:
        return "overlapsTrailer";
    case PayloadLayout::PastEnd:
        return "pastEnd";
    }
    return "";
}

void WriteTrailer(const PackageReport& report, JsonWriter& json)
{
    json.Key("signature");
    if (report.load.isSigned) {
        json.BeginObject();
        json.Key("offset");
        json.Unsigned(report.load.signature.offset);
        json.Key("size");
        json.Unsigned(report.load.signature.size);
        json.EndObject();
    } else {
        json.Null();
    }
    json.Key("trailer");
    if (report.fileSize < PackageTrailerSize) {
        json.Null();
        return;
    }
    const PackageTrailer& trailer = report.load.trailer;
    json.BeginObject();
    json.Key("trailerSize");
    json.Unsigned(trailer.trailerSize);
    json.Key("magic");
    json.Unsigned(trailer.magic);
    json.Key("formatVersion");
    json.Unsigned(trailer.formatVersion);
    json.Key("payloadOffset");
    json.Unsigned(trailer.payloadOffset);
    json.Key("payloadLength");
    json.Unsigned(trailer.payloadLength);
    json.Key("isValid");
    json.Boolean(report.HasTrailer());
    json.Key("layout");
    if (report.HasTrailer())
        json.Utf8String(LayoutName(report.layout));
    else
        json.Null();
    json.Key("extraBytes");
    json.Unsigned(report.extraBytes);
    json.EndObject();
}

void WriteEntries(const PackageReport& report, JsonWriter& json)
{
    json.Key("entries");
    if (!report.IsArchive()) {
        json.Null();
        return;
    }
    json.BeginArray();
    for (const ReportedEntry& entry : report.entries) {
        const ArchiveEntryInfo& info = entry.info;
        json.BeginObject();
        json.Key("name");
        json.AnsiString(info.name.Text(), static_cast<size_t>(info.name.Length()));
        json.Key("method");
        json.Unsigned(info.method);
        json.Key("packedSize");
        json.Unsigned(info.compressedSize);
        json.Key("size");
        json.Unsigned(info.uncompressedSize);
        json.Key("crc32");
        json.Utf8String(CrcText(info.crc));
        json.Key("isOpenable");
        json.Boolean(entry.isOpenable);
        json.Key("isIntact");
        json.Boolean(entry.isIntact);
        json.Key("overlapsEarlier");
        json.Boolean(entry.overlapsEarlier);
        json.EndObject();
    }
    json.EndArray();
}

// announced and present count bytes, or for the description characters.
void WritePartCounts(const LoadedPart& part, JsonWriter& json)
{
    json.Key("announced");
    json.Unsigned(part.announcedLength);
    json.Key("present");
    json.Unsigned(part.presentLength);
}

void WriteBitmapPart(const char* name, const LoadedPart& part, const ReportedBitmap& bitmap, JsonWriter& json)
{
    json.Key(name);
    if (!part.isAnnounced) {
        json.Null();
        return;
    }
    json.BeginObject();
    WritePartCounts(part, json);
    json.Key("bitmap");
    if (bitmap.isUsable) {
        json.BeginObject();
        json.Key("width");
        json.Signed(bitmap.facts.width);
        json.Key("height");
        json.Signed(bitmap.facts.height < 0 ? -static_cast<int64_t>(bitmap.facts.height) : bitmap.facts.height);
        json.Key("bitCount");
        json.Unsigned(bitmap.facts.bitCount);
        json.EndObject();
    } else {
        json.Null();
    }
    json.Key("problem");
    if (bitmap.isUsable)
        json.Null();
    else
        json.Utf8String(bitmap.problem);
    json.EndObject();
}

void WritePackHead(const PackageReport& report, JsonWriter& json)
{
    json.Key("packHead");
    if (report.packHeadIndex < 0) {
        json.Null();
        return;
    }
    const PackageLoad& load = report.load;
    json.BeginObject();
    json.Key("entry");
    json.Signed(report.packHeadIndex);
    json.Key("size");
    json.Unsigned(report.packHeadSize);
    json.Key("headerSize");
    json.Unsigned(load.fields.headerSize);
    json.Key("fileCount");
    json.Signed(load.fields.fileCount);
    json.Key("flags");
    json.Unsigned(load.fields.flags);
    json.Key("entrySize");
    json.Unsigned(load.fields.entrySize);
    WriteBitmapPart("sideImage", load.sideImagePart, report.sideImage, json);
    json.Key("description");
    if (load.descriptionPart.isAnnounced) {
        json.BeginObject();
        WritePartCounts(load.descriptionPart, json);
        json.Key("text");
        json.AnsiString(load.description.Text(), static_cast<size_t>(load.description.Length()));
        json.EndObject();
    } else {
        json.Null();
    }
    WriteBitmapPart("preview", load.previewPart, report.preview, json);
    json.EndObject();
}

}  // namespace

void WriteInspectJson(const std::string& path, const PackageReport& report, JsonWriter& json)
{
    json.BeginObject();
    json.Key("format");
    json.Unsigned(1);
    json.Key("package");
    json.Utf8String(path);
    json.Key("fileSize");
    json.Unsigned(report.fileSize);
    json.Key("installer");
    const std::string installer = DescribeStub(path);
    if (installer.empty())
        json.Null();
    else
        json.Utf8String(installer);
    WriteTrailer(report, json);
    WriteEntries(report, json);
    WritePackHead(report, json);
    WriteOutcomeJson(report, json);
    json.EndObject();
}
