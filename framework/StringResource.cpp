// LoadStringResource: grows the buffer until LoadStringA's text fits.
#include "framework/StringResource.h"

#include "base/String.h"
#include "framework/WindowHost.h"

bool LoadStringResource(String& text, UINT id, HINSTANCE instance)
{
    if (instance == nullptr)
        instance = InstanceHandle();
    const WORD block = static_cast<WORD>((id >> 4) + 1);
    if (FindResourceA(instance, MAKEINTRESOURCEA(block), RT_STRING) == nullptr)
        return false;
    // LoadStringA truncates silently: grow until the text fits with room to spare.
    int size = 0;
    int loaded = 0;
    do {
        size += 256;
        char* buffer = text.ReserveBuffer(size - 1);
        loaded = LoadStringA(instance, id, buffer, size);
        if (loaded == 0)
            buffer[0] = '\0';
    } while (size - loaded <= 2);
    text.CommitBuffer(-1);
    return true;
}
