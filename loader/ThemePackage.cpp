// ThemePackage::Load: the shared load, then what only the installer needs: the side image as a bitmap.
#include "loader/ThemePackage.h"

#include <windows.h>

namespace {

// The installer's temporary files are VLP*.tmp in the temporary folder.
constexpr char kTemporaryPrefix[] = "VLP";

}  // namespace

LoadFailure ThemePackage::Load(const char* executablePath)
{
    PackageLoad load;
    const LoadFailure failure = LoadPackage(executablePath, kTemporaryPrefix, load);
    if (failure != LoadFailure::None)
        return failure;

    headerSize = load.fields.headerSize;
    fileCount = load.fields.fileCount;
    flags = load.fields.flags;
    entrySize = load.fields.entrySize;
    description.Swap(load.description);
    files.Swap(load.patterns);
    archiveFile.Swap(load.archive);
    sideImageFile.Swap(load.sideImage);
    previewFile.Swap(load.preview);
    archivePath = archiveFile.Path();
    sideImagePath = sideImageFile.Path();
    previewPath = previewFile.Path();
    // A side image that does not load leaves the picture strips empty; it is
    // not reported.
    if (!sideImagePath.IsEmpty())
        sideImage.Load(sideImagePath.Text(), 0, 0, LR_LOADFROMFILE);
    return LoadFailure::None;
}

void ThemePackage::DeleteTemporaryFiles()
{
    archiveFile.Remove();
    sideImageFile.Remove();
    previewFile.Remove();
}
