// Settings: reads and writes under the theme manager's settings key.
#include "install/Settings.h"

#include "base/Text.h"
#include "install/RegistryKey.h"

namespace {

constexpr char kOpenThemeValue[] = "OpenThemeAfterUnPack";

}  // namespace

bool OpenSettingsKey(RegistryKey& key)
{
    return key.Open(HKEY_CURRENT_USER, SettingsKeyPath, true);
}

void LoadDefaultThemeDir(String& out)
{
    RegistryKey key;
    OpenSettingsKey(key);
    if (!key.QueryString("ThemeDir", out))
        out = DefaultThemeDir;
    // Exactly one backslash is dropped before one is appended, so a stored
    // value ending in two keeps two.
    if (!out.IsEmpty() && out[out.Length() - 1] == '\\')
        out = out.Left(out.Length() - 1);
    out.Append('\\');
}

bool LoadOpenThemeAfterUnpack()
{
    RegistryKey key;
    OpenSettingsKey(key);
    DWORD value = 0;
    if (!key.QueryDword(kOpenThemeValue, value))
        value = 1;
    return value != 0;
}

void StoreOpenThemeAfterUnpack(bool open)
{
    RegistryKey key;
    OpenSettingsKey(key);
    key.SetDword(kOpenThemeValue, open ? 1 : 0);
}

bool ThemeFilesOpenWithThemeManager()
{
    // Read access is all this needs: full access to HKEY_CLASSES_ROOT is
    // refused to ordinary users, which would hide the check box for them.
    RegistryKey key;
    if (!key.Open(HKEY_CLASSES_ROOT, ".theme", false, KEY_READ))
        return false;
    String program;
    return key.QueryString("", program) && EqualsNoCase(program.Text(), "Vistaloom");
}
