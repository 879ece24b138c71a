// fuzz_fontname: the font name reader on a file holding the input.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "base/String.h"
#include "package/FontFaceName.h"
#include "tests/fuzz/FuzzFiles.h"

namespace {

// One byte per code unit, as many as there are: a name found stays a name of the file.
class UnitBytes : public FontNameEncoder {
public:
    bool Encode(const uint16_t* units, int count, String& name) const override
    {
        char* buffer = name.ReserveBuffer(count);
        for (int i = 0; i < count; ++i)
            buffer[i] = static_cast<char>(units[i] == 0 ? 1 : units[i]);
        name.CommitBuffer(count);
        return true;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const InputFile font("font.ttf", data, size);
    String name("unchanged");
    const bool found = ReadFontFaceName(font.Path(), UnitBytes(), name);
    // A failed read leaves the name alone; a name found lies inside the file.
    if (found ? static_cast<size_t>(name.Length()) > size : std::strcmp(name.Text(), "unchanged") != 0)
        std::abort();
    return 0;
}
