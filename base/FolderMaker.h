// CreatePath and FolderMaker: the folders of a destination path, made as the installer makes them.
#pragma once

#include "base/String.h"

// True when path names a folder.
bool IsFolder(const char* path);

// Creates every missing level of folder, which ends in a separator. True
// when all exist afterwards; stops at the first that cannot be created.
bool CreateFolders(const String& folder);

// Creates every missing folder of the file path; a last component without an
// extension counts as a folder too. True when all folders exist afterwards;
// stops at the first folder that cannot be created. The drive root is never
// tested or created. On Windows through the narrow calls, level by level, so
// a path too long for them fails here as it fails for the installer.
bool CreatePath(const char* path);

// CreatePath for a run of files, most of which share their folder with the
// file before: the walk runs only when the folder differs from the one made
// or found last time.
class FolderMaker {
public:
    // As CreatePath.
    bool Make(const char* path);

private:
    String lastFolder;
};
