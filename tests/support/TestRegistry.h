// TestRegistry: the registry values installer tests set up and clear: the settings key and the .theme association.
#pragma once

#include <windows.h>

// Deletes the installer's settings key and the .theme association.
void ResetInstallerRegistry();
// Makes program the one that opens .theme files.
bool AssociateThemeFiles(const char* program);
// Stores a value of any type under the settings key, creating the key.
bool StoreSettingsValue(const char* name, DWORD type, const void* data, DWORD size);
