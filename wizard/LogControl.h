// LogControl: the window object of the unpack page's log, a read-only rich-edit control that texts are appended to.
#pragma once

#include <windows.h>

#include "framework/Window.h"

// Serves the unpack page's rich-edit log, which keeps the platform's own
// behaviour; the page holds the object and binds it in its dialog
// initialisation. The text being appended is borrowed for one AppendLog.
class LogControl : public Window {
public:
    LogControl() = default;
    ~LogControl() override = default;

    // Appends text (NUL-terminated, carrying its own line ends) at the end of
    // the log and scrolls the end into view. Always 1: the control reports
    // no failure worth acting on.
    virtual int AppendLog(const char* text);

protected:
    // The next piece of the text being appended, at most requested bytes,
    // copied into buffer; returns the count copied, 0 once the text is used up.
    virtual LONG ReadPiece(BYTE* buffer, LONG requested);

private:
    static DWORD CALLBACK StreamCallback(DWORD_PTR cookie, BYTE* buffer, LONG requested, LONG* delivered);

    const char* readPosition = nullptr;
    DWORD remaining = 0;
};
