// ReadFontFaceName: the full name a TrueType or OpenType file is listed under.
#pragma once

#include <cstdint>

#include "base/String.h"

// Turns a font's Windows-platform name, UTF-16 code units in the host's
// order, into the code page font names are listed in: the installer's is the
// system's, themepack's the one it is told.
class FontNameEncoder {
public:
    // False when the code page cannot hold every character.
    virtual bool Encode(const uint16_t* units, int count, String& name) const = 0;

protected:
    ~FontNameEncoder() = default;
};

// The full name (name id 4) from the first "name" table. The Macintosh
// record comes first, its bytes as stored up to the first zero byte: the
// names users' font lists hold were made from it. Fonts published today
// often have none; then the Windows record (platform 3, encoding 1 or 0) in
// US English, else the first such record, up to its first zero character
// (at most 512 characters), through encoder. A name that is empty or holds a
// control character cannot name a font in the system's list and is passed
// over. False, with name unchanged, when neither gives a usable name; a
// damaged file never makes it read outside the file or the name table.
bool ReadFontFaceName(const char* path, const FontNameEncoder& encoder, String& name);
