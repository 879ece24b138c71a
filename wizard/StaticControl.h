// StaticControl: the window object that the pages' static controls are bound to.
#pragma once

#include "framework/Window.h"

// Serves one static control of a page, which keeps the platform's own
// behaviour; the page holds the object and binds it in its dialog
// initialisation.
class StaticControl : public Window {
public:
    ~StaticControl() override = default;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};
