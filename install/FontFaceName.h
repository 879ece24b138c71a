// ReadFontFaceName: the full font name of a TrueType or OpenType file.
#pragma once

#include "base/String.h"

// The Macintosh-platform full name (name id 4) from the first "name" table,
// as stored. False, with name unchanged, when the file has none; a damaged
// file never makes it read outside the file or the name table.
bool ReadFontFaceName(const char* path, String& name);
