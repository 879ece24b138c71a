// String::LoadFromResource: string-table entries of the program's module (Windows only).
#include <windows.h>

#include "framework/Application.h"
#include "framework/String.h"

bool String::LoadFromResource(unsigned id, void* instanceHandle)
{
    HINSTANCE instance = instanceHandle != nullptr ? static_cast<HINSTANCE>(instanceHandle) : InstanceHandle();
    const WORD block = static_cast<WORD>((id >> 4) + 1);
    if (FindResourceA(instance, MAKEINTRESOURCEA(block), MAKEINTRESOURCEA(6) /* RT_STRING */) == nullptr)
        return false;
    // LoadStringA truncates silently: grow until the text fits with room to spare.
    int size = 0;
    int loaded = 0;
    do {
        size += 256;
        char* buffer = ReserveBuffer(size - 1);
        loaded = LoadStringA(instance, id, buffer, size);
        if (loaded == 0)
            buffer[0] = '\0';
    } while (size - loaded <= 2);
    CommitBuffer(-1);
    return true;
}
