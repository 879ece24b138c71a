// PathVariables and ExpandPathPattern: the four destination variables and their expansion.
#pragma once

#include "framework/String.h"

// What a pattern's first variable makes of its file.
enum class PathKind { Font, System, Theme, None };

// The values of %ThemeDir%, %WinDir%, %SysDir% and %FontDir%, built once per
// extraction run; every non-empty value ends in a backslash.
struct PathVariables {
    // destination is the folder accepted on the destination page.
    void Build(const String& destination);
    // The same from given Windows and system folders, as the system returns them.
    void Assign(const String& destination, const char* windowsFolder, const char* systemFolder);

    String themeDir;
    String winDir;
    String sysDir;
    String fontDir;
};

// Replaces, in place, every occurrence of the first variable found in the
// order %FontDir%, %SysDir%, %WinDir%, %ThemeDir% (ASCII letters in any case)
// and returns its kind; later variables stay literal text.
PathKind ExpandPathPattern(String& path, const PathVariables& variables);
