// PathVariables and ExpandPathPattern: the four destination variables' values and their expansion.
#pragma once

#include "base/String.h"
#include "package/PathPattern.h"

// The values of %ThemeDir%, %WinDir%, %SysDir% and %FontDir%, built once per
// extraction run; every non-empty value ends in a separator.
struct PathVariables {
    // destination is the value of %ThemeDir%; the others are made from the
    // Windows and system folders as the system returns them.
    void Assign(const String& destination, const char* windowsFolder, const char* systemFolder);
    const String& ValueOf(PathVariable variable) const;

    String themeDir;
    String winDir;
    String sysDir;
    String fontDir;
};

// Replaces, in place, every occurrence of the first variable found in the
// order of PathVariableNames (ASCII letters in any case) and returns its
// kind; later variables stay literal text.
PathKind ExpandPathPattern(String& path, const PathVariables& variables);
