// RegistryKey: one open registry key, owned and closed by the object.
#pragma once

#include <windows.h>

#include "base/String.h"

// Owns one open key or none; opening always closes the key held before.
class RegistryKey {
public:
    RegistryKey() = default;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    virtual ~RegistryKey();

    // With create set, a key that cannot be opened is created instead.
    bool Open(HKEY root, const char* subKey, bool create, REGSAM access = KEY_ALL_ACCESS);
    bool Create(HKEY root, const char* subKey);
    // The platform result; 0 when nothing was held.
    LONG Close();
    bool IsOpen() const { return key != nullptr; }

    // A REG_SZ or REG_EXPAND_SZ value (the latter expanded, up to 260
    // characters); out is empty when the value is missing or of another type.
    bool QueryString(const char* name, String& out) const;
    // A REG_DWORD value; out is 0 when missing or of another type, and
    // unchanged when the read itself fails.
    bool QueryDword(const char* name, DWORD& out) const;
    // True when the key holds a value of that name, of any type.
    bool HasValue(const char* name) const;
    bool SetDword(const char* name, DWORD value);
    bool SetString(const char* name, const char* value);

private:
    // False when no key is held, the value is missing or it is empty.
    bool QueryTypeAndSize(const char* name, DWORD& type, DWORD& size) const;

    HKEY key = nullptr;
};
