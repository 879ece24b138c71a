// ThemePackage: the package as the loader leaves it for the wizard and the extraction engine.
#pragma once

#include <cstdint>

#include "base/ScratchFile.h"
#include "base/String.h"
#include "base/StringList.h"
#include "framework/GdiObject.h"
#include "package/PackageLoader.h"

// Held by the application object for the whole process; filled once by Load.
// Owns its strings, its pattern list, its side-image bitmap and, until
// DeleteTemporaryFiles, up to three temporary files.
class ThemePackage {
public:
    ThemePackage() = default;
    ThemePackage(const ThemePackage&) = delete;
    ThemePackage& operator=(const ThemePackage&) = delete;
    virtual ~ThemePackage() = default;

    // Reads the package appended to the executable at executablePath with
    // LoadPackage and loads the side image. A failure leaves the object as it
    // was and no temporary file behind.
    LoadFailure Load(const char* executablePath);
    // Deletes the archive copy and the two image files, present or not.
    void DeleteTemporaryFiles();

    bool HasPreview() const { return !previewPath.IsEmpty(); }
    bool HasDescription() const { return !description.IsEmpty(); }

    uint32_t headerSize = 0;
    int32_t fileCount = 0;
    uint32_t flags = 0;
    uint32_t entrySize = 0;
    String archivePath;
    String description;
    String sideImagePath;
    String previewPath;
    StringList files;
    Bitmap sideImage;

private:
    ScratchFile archiveFile;
    ScratchFile sideImageFile;
    ScratchFile previewFile;
};
