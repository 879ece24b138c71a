// CreatePath and FolderMaker: the folders of a destination path, made as the installer makes them.
#pragma once

#include "base/PathText.h"
#include "base/String.h"

// Creates every missing folder of the file path; a last component without an
// extension counts as a folder too. True when all folders exist afterwards;
// stops at the first folder that cannot be created. The drive root is never
// tested or created.
bool CreatePath(const char* path);

// CreatePath for a run of files, most of which share their folder with the
// file before: the walk, a search per folder level, runs only when the
// folder differs from the one made or found last time.
class FolderMaker {
public:
    // As CreatePath.
    bool Make(const char* path);

private:
    String lastFolder;
};
