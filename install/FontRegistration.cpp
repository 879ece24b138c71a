// RegisterFont: write, name, record and load one font file.
#include "install/FontRegistration.h"

#include <windows.h>

#include "framework/FileFinder.h"
#include "install/CreatePath.h"
#include "install/FontFaceName.h"
#include "install/RegistryKey.h"
#include "package/PathPattern.h"

WindowsVersion DetectWindowsVersion()
{
    OSVERSIONINFOA info;
    ZeroMemory(&info, sizeof info);
    info.dwOSVersionInfoSize = sizeof info;  // 148
    if (!GetVersionExA(&info))
        return WindowsUnknown;
    if (info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && info.dwMajorVersion == 4)
        return info.dwMinorVersion == 0 ? Windows95 : info.dwMinorVersion < 90 ? Windows98 : WindowsMe;
    if (info.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        // Every NT system keeps its font list under the "Windows NT" key,
        // later ones included.
        if (info.dwMajorVersion == 4)
            return WindowsNT4;
        if (info.dwMajorVersion == 5)
            return Windows2000;
        if (info.dwMajorVersion >= 6)
            return WindowsNT6OrLater;
    }
    return WindowsUnknown;
}

const char* FontListKey(WindowsVersion version)
{
    if (version == WindowsNT4 || version == Windows2000 || version == WindowsNT6OrLater)
        return "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
    return "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fonts";
}

EntryOutcome RegisterFont(const char* path, ArchiveReader& archive, char* buffer, WindowsVersion version,
                          bool& fontsRegistered)
{
    const PathParts parts = SplitPath(path);
    if (FileExists(path) || !IsFontFile(path))
        return EntryOutcome::Exists;

    // A font that could not be written completely is neither recorded nor loaded.
    const EntryOutcome written = WriteEntryToNewFile(path, archive, buffer);
    if (written != EntryOutcome::Written)
        return written;

    // A font without a usable name cannot be listed, and one whose name the
    // list holds already would take the place of an installed font: neither
    // is listed or loaded. The file stays; it replaced nothing.
    String entryName;
    if (!ReadFontFaceName(path, entryName))
        return EntryOutcome::FontUnnamed;
    entryName.Append(" (TrueType)");
    String fileName;
    fileName.Format("%s%s", parts.name.Text(), parts.extension.Text());

    RegistryKey fonts;
    if (fonts.Open(HKEY_LOCAL_MACHINE, FontListKey(version), false)) {
        if (fonts.HasValue(entryName.Text()))
            return EntryOutcome::FontNameTaken;
        fonts.SetString(entryName.Text(), fileName.Text());
    }
    fonts.Close();
    AddFontResourceA(path);
    fontsRegistered = true;
    return EntryOutcome::Written;
}
