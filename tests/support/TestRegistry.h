// TestRegistry: the registry values installer tests set up and clear: the settings key and the .theme association.
#pragma once

#include <windows.h>

// Deletes the installer's settings key, the .theme association and the
// theme manager's file class.
void ResetInstallerRegistry();
// Makes program the one that opens .theme files.
bool AssociateThemeFiles(const char* program);
// The command line the shell runs to open files of the class program.
bool SetOpenCommand(const char* program, const char* commandLine);
// Stores a value of any type under the settings key, creating the key.
bool StoreSettingsValue(const char* name, DWORD type, const void* data, DWORD size);
bool StoreSettingsText(const char* name, const char* text);
// A REG_DWORD value of the settings key; false when there is none.
bool ReadSettingsNumber(const char* name, DWORD& value);
