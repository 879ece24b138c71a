// InstallerMessages: the texts the installer shows its user, kept once for the installer and for themepack, which quotes them.
#pragma once

#include "package/PackageLoader.h"

// The message box text of a load failure; null for LoadFailure::None.
const char* LoadFailureMessage(LoadFailure failure);

// Lines of the unpack page's log, each ending in its own line feed.
constexpr char NotAllInstalledLine[] = "Not all files were installed! The package might be corrupt!\n";
// These format with the raw pattern of the entry.
constexpr char EntryNotOpenedLine[] = "Failed to open '%s' in package!\n";
constexpr char DamagedEntryLine[] = "Damaged file '%s' in package!\n";
// These format with the expanded path of a font file.
constexpr char FontUnnamedLine[] = "Font '%s' has no usable name and was not registered!\n";
constexpr char FontInstalledLine[] = "Skipping '%s'. Font is installed already!\n";

// The unpack page's closing texts, after a run without and with a failure.
constexpr char UnpackedText[] = "The theme has been sucessfully unpackaed!\n\nClick Finish to close this dialog.";
constexpr char NotUnpackedText[] =
    "There were errors which prevented the package from being unpacked.\nPlease examine the log below for messages.";
