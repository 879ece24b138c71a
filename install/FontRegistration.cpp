// RegisterFont: write, name, record and load one font file.
#include "install/FontRegistration.h"

#include <windows.h>

#include <cstdio>

#include "base/PathText.h"
#include "base/FileFinder.h"
#include "install/RegistryKey.h"
#include "package/FontFaceName.h"

namespace {

// Names are listed in the system's code page, as the narrow calls read them.
class SystemCodePage : public FontNameEncoder {
public:
    bool Encode(const uint16_t* units, int count, String& name) const override
    {
        static_assert(sizeof(wchar_t) == sizeof(uint16_t), "Windows characters are UTF-16 code units");
        const LPCWSTR text = reinterpret_cast<LPCWSTR>(units);
        // No best fit: a name the code page cannot hold is no name, never one with a '?'.
        BOOL isLossy = FALSE;
        const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, count, nullptr, 0, nullptr, &isLossy);
        if (count <= 0 || size <= 0 || isLossy)
            return false;
        char* buffer = name.ReserveBuffer(size);
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, count, buffer, size, nullptr, nullptr);
        name.CommitBuffer(size);
        return true;
    }
};

}  // namespace

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
    if (FileExists(path))
        return EntryOutcome::Exists;
    // A font that could not be written completely, or has no name the list
    // could hold, is neither recorded nor loaded.
    String entryName;
    const EntryOutcome written = WriteFontEntry(path, archive, buffer, SystemCodePage(), entryName);
    if (written != EntryOutcome::Written)
        return written;
    entryName.Append(" (TrueType)");
    const PathParts parts = SplitPath(path);
    String fileName;
    fileName.Format("%s%s", parts.name.Text(), parts.extension.Text());

    RegistryKey fonts;
    if (fonts.Open(HKEY_LOCAL_MACHINE, FontListKey(version), false)) {
        // Installed already, from whatever file: the theme has its font, and
        // a package never takes the place of an installed one. The copy is
        // ours, made a moment ago.
        if (fonts.HasValue(entryName.Text())) {
            fonts.Close();
            std::remove(path);
            return EntryOutcome::FontInstalled;
        }
        fonts.SetString(entryName.Text(), fileName.Text());
    }
    fonts.Close();
    AddFontResourceA(path);
    fontsRegistered = true;
    return EntryOutcome::Written;
}
