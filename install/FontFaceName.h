// ReadFontFaceName: the full font name of a TrueType or OpenType file.
#pragma once

#include "base/String.h"

// The Macintosh-platform full name (name id 4) from the first "name" table,
// as stored up to its first zero byte. False, with name unchanged, when the
// file has none, or when the name is empty or holds a control character and
// so cannot name a font in the system's list; a damaged file never makes it
// read outside the file or the name table.
bool ReadFontFaceName(const char* path, String& name);
