// fuzz_fontname: the font name reader on a file holding the input.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "base/String.h"
#include "install/FontFaceName.h"
#include "tests/fuzz/FuzzFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const InputFile font("font.ttf", data, size);
    String name("unchanged");
    const bool found = ReadFontFaceName(font.Path(), name);
    // A failed read leaves the name alone; a name found lies inside the file.
    if (found ? static_cast<size_t>(name.Length()) > size : std::strcmp(name.Text(), "unchanged") != 0)
        std::abort();
    return 0;
}
