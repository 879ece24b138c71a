// TestRegistry: direct registry calls, so the tests do not lean on the code they test.
#include "tests/support/TestRegistry.h"

#include <cstring>

namespace {

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
}

bool AssociateThemeFiles(const char* program)
{
    return StoreValue(HKEY_CLASSES_ROOT, ".theme", "", REG_SZ, program, static_cast<DWORD>(std::strlen(program) + 1));
}

bool StoreSettingsValue(const char* name, DWORD type, const void* data, DWORD size)
{
    return StoreValue(HKEY_CURRENT_USER, "Software\\Vistaloom\\Settings", name, type, data, size);
}
