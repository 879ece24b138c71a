// HyperlinkControl: a static text drawn as an underlined link that opens its target with the shell.
#pragma once

#include <windows.h>

#include "base/String.h"
#include "framework/GdiObject.h"
#include "framework/Window.h"

// Serves one static control that carries SS_NOTIFY, so that it receives the
// mouse. Owns the hand cursor it shows; the page holds the object.
class HyperlinkControl : public Window {
public:
    // Chooses the cursor: the system's hand, the help viewer's hand, or the
    // up arrow, whichever comes first.
    HyperlinkControl();
    ~HyperlinkControl() override;

    // Paints the link, sets its cursor and opens it on a press of the left
    // button; everything else is the static control's.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // What the shell is asked to open; empty means the displayed text.
    void SetTarget(const char* text);
    // Shrinks or grows the control to exactly its underlined text, so that
    // only the text is clickable. Call after the text is set.
    void SizeToText();
    void OpenTarget();

private:
    void OnPaint();
    // The control's own font, underlined; false when there is none to copy.
    bool CreateLinkFont(Font& font);

    HCURSOR cursor = nullptr;
    String target;
};
