// RegistryKey: opening, creating and the typed value reads and writes.
#include "install/RegistryKey.h"

RegistryKey::~RegistryKey()
{
    Close();
}

bool RegistryKey::Open(HKEY root, const char* subKey, bool create, REGSAM access)
{
    Close();
    if (RegOpenKeyExA(root, subKey, 0, access, &key) == ERROR_SUCCESS)
        return true;
    key = nullptr;
    return create && Create(root, subKey);
}

bool RegistryKey::Create(HKEY root, const char* subKey)
{
    Close();
    if (RegCreateKeyA(root, subKey, &key) == ERROR_SUCCESS)
        return true;
    key = nullptr;
    return false;
}

LONG RegistryKey::Close()
{
    if (key == nullptr)
        return 0;
    const LONG result = RegCloseKey(key);
    key = nullptr;
    return result;
}

bool RegistryKey::QueryTypeAndSize(const char* name, DWORD& type, DWORD& size) const
{
    type = 0;
    size = 0;
    return key != nullptr && RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
           size != 0;
}

bool RegistryKey::QueryString(const char* name, String& out) const
{
    DWORD type = 0;
    DWORD size = 0;
    if (!QueryTypeAndSize(name, type, size) || (type != REG_SZ && type != REG_EXPAND_SZ)) {
        out = "";
        return false;
    }
    // One spare byte: a stored value need not carry its own terminating zero.
    char* buffer = out.ReserveBuffer(static_cast<int>(size));
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        return false;
    buffer[size] = '\0';
    out.CommitBuffer(-1);
    if (type == REG_EXPAND_SZ) {
        String expanded;
        char* target = expanded.ReserveBuffer(MAX_PATH);
        // An expansion that does not fit in 260 characters is no usable
        // path: the value counts as unreadable, so callers use their default.
        const DWORD needed = ExpandEnvironmentStringsA(out.Text(), target, MAX_PATH);
        if (needed == 0 || needed > MAX_PATH) {
            out = "";
            return false;
        }
        expanded.CommitBuffer(-1);
        out = expanded;
    }
    return true;
}

bool RegistryKey::QueryDword(const char* name, DWORD& out) const
{
    DWORD type = 0;
    DWORD size = 0;
    if (!QueryTypeAndSize(name, type, size) || type != REG_DWORD) {
        out = 0;
        return false;
    }
    DWORD value = 0;
    size = sizeof value;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
        return false;
    out = value;
    return true;
}

bool RegistryKey::HasValue(const char* name) const
{
    return key != nullptr && RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool RegistryKey::SetDword(const char* name, DWORD value)
{
    return key != nullptr &&
           RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
               ERROR_SUCCESS;
}

bool RegistryKey::SetString(const char* name, const char* value)
{
    return key != nullptr && RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                                            static_cast<DWORD>(lstrlenA(value))) == ERROR_SUCCESS;
}
