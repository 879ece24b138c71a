// SystemLibraries: search restrictions bound at run time, full-path loading, the common controls' two functions.
#include "framework/SystemLibraries.h"

#include "base/String.h"

namespace {

// Bound by name: these exist only on newer systems.
using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
using SetDllDirectoryFunction = BOOL(WINAPI*)(LPCSTR);
// LOAD_LIBRARY_SEARCH_SYSTEM32, which older headers lack.
constexpr DWORD kSearchSystemFolder = 0x00000800;

using InitCommonControlsFunction = void(WINAPI*)();
using PropertySheetFunction = INT_PTR(WINAPI*)(LPCPROPSHEETHEADERA);
using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
using BrowseForFolderFunction = LPITEMIDLIST(WINAPI*)(LPBROWSEINFOA);
using PathFromListFunction = BOOL(WINAPI*)(LPCITEMIDLIST, LPSTR);
using GetMallocFunction = HRESULT(WINAPI*)(IMalloc**);
// ShellExecuteA reports success with a value above this.
constexpr INT_PTR kShellExecuteErrorLimit = 32;

// The library's module, looked for once; never freed, as a linked library
// would not be.
HMODULE CommonControlsModule()
{
    static const HMODULE module = LoadSystemLibrary("comctl32.dll");
    return module;
}

HMODULE ShellModule()
{
    static const HMODULE module = LoadSystemLibrary("shell32.dll");
    return module;
}

// Set once the system looks only in its own folder for what a library imports.
bool searchRestricted = false;

}  // namespace

void RestrictLibrarySearch()
{
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    SetDefaultDllDirectoriesFunction setDefault = nullptr;
    if (BindFunction(kernel, "SetDefaultDllDirectories", setDefault) && setDefault(kSearchSystemFolder)) {
        searchRestricted = true;
        return;
    }
    // Without it, at least the current folder leaves the search.
    SetDllDirectoryFunction setDirectory = nullptr;
    if (BindFunction(kernel, "SetDllDirectoryA", setDirectory))
        setDirectory("");
}

HMODULE LoadSystemLibrary(const char* name)
{
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    String path;
    path.Format("%s\\%s", folder, name);
    // Without the restriction, the altered search still looks for the
    // library's own imports in the system folder before anywhere else.
    return LoadLibraryExA(path.Text(), nullptr, searchRestricted ? 0 : LOAD_WITH_ALTERED_SEARCH_PATH);
}

bool InitializeCommonControls()
{
    InitCommonControlsFunction initialize = nullptr;
    if (!BindFunction(CommonControlsModule(), "InitCommonControls", initialize))
        return false;
    initialize();
    return true;
}

INT_PTR RunPropertySheet(LPCPROPSHEETHEADERA header)
{
    PropertySheetFunction run = nullptr;
    return BindFunction(CommonControlsModule(), "PropertySheetA", run) ? run(header) : -1;
}

bool ShellOpen(const char* verb, const char* file, int showCommand)
{
    ShellExecuteFunction execute = nullptr;
    if (!BindFunction(ShellModule(), "ShellExecuteA", execute))
        return false;
    return reinterpret_cast<INT_PTR>(execute(nullptr, verb, file, nullptr, nullptr, showCommand)) >
           kShellExecuteErrorLimit;
}

LPITEMIDLIST ShellBrowseForFolder(BROWSEINFOA* info)
{
    BrowseForFolderFunction browse = nullptr;
    return BindFunction(ShellModule(), "SHBrowseForFolderA", browse) ? browse(info) : nullptr;
}

bool ShellPathOf(LPCITEMIDLIST list, char* path)
{
    PathFromListFunction pathOf = nullptr;
    return BindFunction(ShellModule(), "SHGetPathFromIDListA", pathOf) && pathOf(list, path) != FALSE;
}

void ShellFree(LPITEMIDLIST list)
{
    // Without the allocator the list is not freed; nothing else can free it.
    GetMallocFunction getMalloc = nullptr;
    IMalloc* allocator = nullptr;
    if (!BindFunction(ShellModule(), "SHGetMalloc", getMalloc) || FAILED(getMalloc(&allocator)))
        return;
    allocator->Free(list);
    allocator->Release();
}
