// Settings: the installer's two registry settings and the .theme association.
#pragma once

#include "base/String.h"

class RegistryKey;

constexpr char SettingsKeyPath[] = "Software\\Vistaloom\\Settings";
constexpr char DefaultThemeDir[] = "C:\\Program Files\\Plus!\\Themes\\";

// Opens (creating when missing) the settings key under HKEY_CURRENT_USER.
bool OpenSettingsKey(RegistryKey& key);
// The default destination folder, always ending in a backslash.
void LoadDefaultThemeDir(String& out);
// "OpenThemeAfterUnPack"; true when missing or not a REG_DWORD.
bool LoadOpenThemeAfterUnpack();
void StoreOpenThemeAfterUnpack(bool open);
// True when the shell opens .theme files with the theme manager.
bool ThemeFilesOpenWithThemeManager();
