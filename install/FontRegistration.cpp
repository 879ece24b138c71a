// RegisterFont: write, name, record and load one font file.
#include "install/FontRegistration.h"

#include <windows.h>

#include <cstring>

#include "install/CreatePath.h"
#include "framework/FileFinder.h"
#include "install/FontFaceName.h"
#include "install/RegistryKey.h"

namespace {

WindowsVersion currentVersion = WindowsUnknown;

}  // namespace

WindowsVersion DetectWindowsVersion()
{
    OSVERSIONINFOA info;
    ZeroMemory(&info, sizeof info);
    info.dwOSVersionInfoSize = sizeof info;  // 148
    if (!GetVersionExA(&info))
        return currentVersion;
    if (info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && info.dwMajorVersion == 4) {
        currentVersion = info.dwMinorVersion == 0 ? Windows95 : info.dwMinorVersion < 90 ? Windows98 : WindowsMe;
    } else if (info.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        // Every NT system keeps its font list under the "Windows NT" key,
        // later ones included.
        if (info.dwMajorVersion == 4)
            currentVersion = WindowsNT4;
        else if (info.dwMajorVersion == 5)
            currentVersion = Windows2000;
        else if (info.dwMajorVersion >= 6)
            currentVersion = WindowsNT6OrLater;
    }
    return currentVersion;
}

const char* FontListKey(WindowsVersion version)
{
    if (version == WindowsNT4 || version == Windows2000 || version == WindowsNT6OrLater)
        return "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
    return "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fonts";
}

EntryOutcome RegisterFont(const char* path, ArchiveReader& archive, char* buffer, bool& fontsRegistered)
{
    const PathParts parts = SplitPath(path);
    const char* extension = parts.extension.Text();
    if (FileExists(path) || (_stricmp(extension, ".ttf") != 0 && _stricmp(extension, ".otf") != 0))
        return EntryOutcome::Exists;

    // A font that could not be written completely is neither recorded nor loaded.
    const EntryOutcome written = WriteEntryToNewFile(path, archive, buffer);
    if (written != EntryOutcome::Written)
        return written;

    String entryName;
    ReadFontFaceName(path, entryName);
    entryName.Append(" (TrueType)");
    String fileName;
    fileName.Format("%s%s", parts.name.Text(), extension);

    RegistryKey fonts;
    if (fonts.Open(HKEY_LOCAL_MACHINE, FontListKey(currentVersion), false))
        fonts.SetString(entryName.Text(), fileName.Text());
    fonts.Close();
    AddFontResourceA(path);
    fontsRegistered = true;
    return EntryOutcome::Written;
}
