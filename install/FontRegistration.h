// RegisterFont and DetectWindowsVersion: fonts into the fonts folder, the font list and the running system.
#pragma once

#include "package/WriteEntry.h"

class ArchiveReader;

// The running system's family, detected at the start of every extraction run.
enum WindowsVersion {
    WindowsUnknown = 0,
    Windows95 = 1,
    Windows98 = 2,
    WindowsMe = 3,
    WindowsNT4 = 4,
    Windows2000 = 5,
    WindowsNT6OrLater = 6,
};

// WindowsUnknown when the system does not say or is of no known family.
WindowsVersion DetectWindowsVersion();
// The HKEY_LOCAL_MACHINE key that holds the font list on that system.
const char* FontListKey(WindowsVersion version);

// Writes a .ttf or .otf entry to its expanded path (never over an existing
// file), enters it in the font list of version under its full name with
// " (TrueType)", and loads it. Sets fontsRegistered when it did. Other
// extensions and existing files are left alone (Exists, nothing written or
// logged). A written font without a usable name is neither listed nor loaded
// (FontUnnamed). A font whose name the list holds already, whatever its file,
// is installed: that entry stays, and the copy is removed (FontInstalled).
EntryOutcome RegisterFont(const char* path, ArchiveReader& archive, char* buffer, WindowsVersion version,
                          bool& fontsRegistered);
