// SystemLibraries: libraries taken only from the system's own folder, never from where the package lies.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>
// The headers map this name to their ANSI sheet function; here it names the class.
#undef PropertySheet

// A package is usually run from a downloads folder, where anything may lie
// beside it. Takes the program's and the current folder out of the search
// for libraries loaded from now on, where the system offers a way; older
// systems lack one, and then only the full paths below keep them out.
void RestrictLibrarySearch();

// Loads name by its full path in the system folder; null when it cannot.
HMODULE LoadSystemLibrary(const char* name);

// Looks name up in module (null: finds nothing) as a function of type
// Function; false, with out null, when it is missing.
template <typename Function>
bool BindFunction(HMODULE module, const char* name, Function& out)
{
    // Through the generic function type, which converts to any other without a warning.
    out = module != nullptr ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)))
                            : nullptr;
    return out != nullptr;
}

// The common controls, loaded from the system folder on first use and kept
// for the life of the process. False when the library or the function is
// missing.
bool InitializeCommonControls();
// PropertySheetA of that library; -1 without it.
INT_PTR RunPropertySheet(LPCPROPSHEETHEADERA header);

// The shell, loaded from the system folder on first use and kept, as the
// common controls are: the system's shell may itself ask for libraries that
// a download folder could hold, so it is loaded only once the search is
// restricted.
// ShellExecuteA with no owner, parameters or folder; false when the shell
// is missing or refused.
bool ShellOpen(const char* verb, const char* file, int showCommand);
// SHBrowseForFolderA; null when cancelled or without the shell.
LPITEMIDLIST ShellBrowseForFolder(BROWSEINFOA* info);
// SHGetPathFromIDListA into path (MAX_PATH characters); false when the
// choice has no file-system path.
bool ShellPathOf(LPCITEMIDLIST list, char* path);
// Frees an item list with the shell's allocator.
void ShellFree(LPITEMIDLIST list);
