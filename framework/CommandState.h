// CommandState and CommandProbe: the user-interface element of one command, as handlers see it.
#pragma once

#include <windows.h>

class Window;

// Describes one menu item (menu non-null) or one control; handlers enable,
// check or relabel it through the virtual operations. Lives on the stack of
// whoever routes the command.
class CommandState {
public:
    virtual ~CommandState() = default;

    virtual void Enable(bool on);
    virtual void SetCheck(int state);
    virtual void SetRadio(bool on);
    virtual void SetText(const char* text);
    virtual void PassOn();
    // Asks target about the command; with disableIfUnhandled a command nobody
    // answered is disabled. The RouteCommand result (true without asking for
    // id 0 and for ids whose low word is 0xFFFF).
    virtual bool Update(Window* target, bool disableIfUnhandled);

    HMENU menu = nullptr;
    // Non-zero: the menu operations leave the menu alone.
    UINT_PTR menuLock = 0;
    HWND control = nullptr;
    UINT id = 0;
    UINT index = 0;
    int handled = 0;
    int passOn = 0;
};

// Asks whether a command is enabled without touching any element: Enable
// records the answer, the other operations do nothing.
class CommandProbe : public CommandState {
public:
    void Enable(bool on) override;
    void SetCheck(int state) override;
    void SetRadio(bool on) override;
    void SetText(const char* text) override;

    int enabled = 1;
};
