// LoadStringResource: string-table entries of the program's module.
#pragma once

#include <windows.h>

class String;

// Loads entry id of the string table of instance (null: the application's)
// into text, however long it is. False, with text unchanged, when the
// entry's block of 16 does not exist.
bool LoadStringResource(String& text, UINT id, HINSTANCE instance = nullptr);
