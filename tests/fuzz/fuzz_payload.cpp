// fuzz_payload: a whole package loaded as the installer loads it and as themepack does, then its archive walked as extraction walks it.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/CopyStream.h"
#include "package/ArchiveReader.h"
#include "package/PackageLoader.h"
#include "package/PathPattern.h"
#include "package/PatternProblem.h"
#include "tests/fuzz/FuzzFiles.h"

namespace {

// minizip never inflates an entry past the size the directory announces, so
// the announced sizes bound the bytes read. The walk stops once they pass
// this budget: entries that share one deflated stream would otherwise let a
// few kilobytes of input inflate to gigabytes and one input run for minutes.
constexpr uint64_t kReadBudget = 16u << 20;

bool Same(const String& a, const String& b)
{
    return a.Length() == b.Length() && std::memcmp(a.Text(), b.Text(), static_cast<size_t>(a.Length())) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const InputFile input("package.exe", data, size);
    PackageLoad load;
    const LoadFailure failure = LoadPackage(input.Path(), "fuzz", load);
    // themepack reads the payload where it lies: the same bytes must get the same verdict and header.
    PackageLoad inPlace;
    if (LoadPackage(input.Path(), "fuzz", inPlace, PayloadAccess::InPlace) != failure ||
        inPlace.patterns.Count() != load.patterns.Count() || !Same(inPlace.description, load.description))
        std::abort();
    for (int i = 0; i < load.patterns.Count(); ++i) {
        if (!Same(inPlace.patterns[i], load.patterns[i]))
            std::abort();
    }
    if (failure != LoadFailure::None)
        return 0;
    const int count = load.patterns.Count();
    for (int i = 0; i < count; ++i) {
        ClassifyPattern(load.patterns[i].Text());
        PatternProblem(load.patterns[i].Text());
    }

    // Entry i goes to pattern i, as the extraction engine pairs them.
    ArchiveReader archive;
    if (!archive.Open(load.archive.Path().Text()))
        std::abort();  // the load has just read this very file as an archive
    std::vector<char> buffer(CopyChunkSize);
    uint64_t budget = kReadBudget;
    archive.GoToFirstEntry();
    for (int i = 0; i < count; ++i) {
        ArchiveEntryInfo info;
        if (!archive.GetEntryInfo(info) || info.uncompressedSize > budget || !archive.OpenEntry())
            break;
        budget -= info.uncompressedSize;
        ReadWholeEntry(archive, nullptr, buffer.data());
        if (!archive.GoToNextEntry())
            break;
    }
    return 0;
}
