// TestRegistry: direct registry calls, so the tests do not lean on the code they test.
#include "tests/support/TestRegistry.h"

#include <cstring>
#include <string>

namespace {

constexpr char kSettingsKey[] = "Software\\Vistaloom\\Settings";

bool StoreValue(HKEY root, const char* subKey, const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY key = nullptr;
    if (RegCreateKeyA(root, subKey, &key) != ERROR_SUCCESS)
        return false;
    const bool stored = RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return stored;
}

}  // namespace

void ResetInstallerRegistry()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Vistaloom");
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ".theme");
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "Vistaloom");
}

bool AssociateThemeFiles(const char* program)
{
    return StoreValue(HKEY_CLASSES_ROOT, ".theme", "", REG_SZ, program, static_cast<DWORD>(std::strlen(program) + 1));
}

bool SetOpenCommand(const char* program, const char* commandLine)
{
    const std::string key = std::string(program) + "\\shell\\open\\command";
    return StoreValue(HKEY_CLASSES_ROOT, key.c_str(), "", REG_SZ, commandLine,
                      static_cast<DWORD>(std::strlen(commandLine) + 1));
}

bool StoreSettingsValue(const char* name, DWORD type, const void* data, DWORD size)
{
    return StoreValue(HKEY_CURRENT_USER, kSettingsKey, name, type, data, size);
}

bool StoreSettingsText(const char* name, const char* text)
{
    return StoreSettingsValue(name, REG_SZ, text, static_cast<DWORD>(std::strlen(text) + 1));
}

bool ReadSettingsNumber(const char* name, DWORD& value)
{
    DWORD size = sizeof value;
    DWORD type = 0;
    return RegGetValueA(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_ANY, &type, &value, &size) == ERROR_SUCCESS &&
           type == REG_DWORD;
}
