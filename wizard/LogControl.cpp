// LogControl: appending texts to the log through the rich-edit stream.
#include "wizard/LogControl.h"

#include <richedit.h>

#include <cstring>

namespace {

// Past any text: the control puts both ends of the selection at the end.
constexpr LONG EndOfText = 0x7FFFFFFF;

}  // namespace

int LogControl::AppendLog(const char* text)
{
    readPosition = text;
    remaining = static_cast<DWORD>(std::strlen(text));

    // The stream replaces the selection; one the user made would lose its text.
    CHARRANGE end = {EndOfText, -1};
    Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));

    EDITSTREAM stream = {};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(this);
    stream.dwError = 0;
    stream.pfnCallback = StreamCallback;
    Send(EM_STREAMIN, SF_TEXT | SFF_SELECTION, reinterpret_cast<LPARAM>(&stream));

    // The selection stays empty at the end, where the next text lands.
    end = {EndOfText, -1};
    Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
    Send(EM_SCROLLCARET);
    return 1;
}

LONG LogControl::ReadPiece(BYTE* buffer, LONG requested)
{
    const DWORD wanted = requested > 0 ? static_cast<DWORD>(requested) : 0;
    const DWORD count = remaining < wanted ? remaining : wanted;
    std::memcpy(buffer, readPosition, count);
    readPosition += count;
    remaining -= count;
    return static_cast<LONG>(count);
}

DWORD CALLBACK LogControl::StreamCallback(DWORD_PTR cookie, BYTE* buffer, LONG requested, LONG* delivered)
{
    *delivered = reinterpret_cast<LogControl*>(cookie)->ReadPiece(buffer, requested);
    return 0;
}
