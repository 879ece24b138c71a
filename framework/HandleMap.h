// HandleMap: the process's one map from window handle to the Window object serving it.
#pragma once

#include <windows.h>

#include <map>

class Window;

// Refers to Window objects, never owns them. Entries are added by Attach and
// removed by Detach only.
class HandleMap {
public:
    // The object of handle, or null (windows of the system or not attached).
    Window* Lookup(HWND handle) const;
    // The caller has made sure that handle has no entry yet.
    void Insert(HWND handle, Window* window);
    // Erases the entry of handle, whichever object it names.
    void Remove(HWND handle);
    bool IsEmpty() const { return entries.empty(); }

private:
    // Handles compare as pointer-sized unsigned values.
    std::map<UINT_PTR, Window*> entries;
};
