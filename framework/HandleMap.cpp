// HandleMap: lookup, insertion and removal of handle bindings.
#include "framework/HandleMap.h"

Window* HandleMap::Lookup(HWND handle) const
{
    const auto found = entries.find(reinterpret_cast<UINT_PTR>(handle));
    return found == entries.end() ? nullptr : found->second;
}

void HandleMap::Insert(HWND handle, Window* window)
{
    entries.emplace(reinterpret_cast<UINT_PTR>(handle), window);
}

void HandleMap::Remove(HWND handle)
{
    entries.erase(reinterpret_cast<UINT_PTR>(handle));
}
