// Window: the base object of every window the program serves, bound to its handle through the HandleMap.
#pragma once

#include <windows.h>

class CommandState;
class String;

// Handed at idle, wParam 1 and lParam 0, straight to window objects (never
// through the queue); HandleMessage turns it into OnIdleUpdate.
constexpr UINT IdleUpdateMessage = 0x0363;
// Only wakes a wait for messages: the pump drops it unfiltered, undispatched.
constexpr UINT WakeOnlyMessage = 0x036A;
// The system's caret-blink timer message, which has no public name.
constexpr UINT SystemTimerMessage = 0x0118;
// The last keyboard message of the classic systems; newer headers move
// WM_KEYLAST past WM_UNICHAR, which dialog input handling never took.
constexpr UINT ClassicKeyLastMessage = 0x0108;

// ModalLoop flags.
constexpr DWORD ModalNoIdleMessage = 0x1;   // no WM_ENTERIDLE to the parent
constexpr DWORD ModalShowWhenIdle = 0x4;    // show a hidden window once the queue is empty

// Serves at most one window. Its owner (a page, a sheet, the application)
// holds it by value; the HandleMap only refers to it. The binding ends when
// the window's final message has been handled, at Detach or Unsubclass, and
// at the latest in the destructor, which also destroys a window still alive.
class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    // The object bound to handle, or null.
    static Window* FromHandle(HWND handle);

    // Called by Subclass once bound, before the window procedure is replaced.
    virtual void OnAttach();
    // A child window with rect's position and size; false when none was made.
    virtual bool Create(const char* className, const char* windowName, DWORD style, const RECT& rect,
                        HWND parent, UINT id);
    // May change the creation parameters; false cancels the creation.
    virtual bool PreCreate(CREATESTRUCTA& parameters);
    // The DestroyWindow result; false when there is no window.
    virtual bool Destroy();
    // Puts the previous window procedure back and ends the binding.
    virtual void Unsubclass();
    // Called after Unsubclass and when PreCreate cancels a creation.
    virtual void OnDetached();
    // Owner-draw requests that the parent received for this control.
    virtual void OnDrawItem(DRAWITEMSTRUCT* item);
    virtual void OnMeasureItem(MEASUREITEMSTRUCT* item);
    virtual void OnIdleUpdate();
    // True when the command was handled: reflected to the control's object,
    // or probed and then executed through RouteCommand.
    virtual bool OnCommand(WPARAM wParam, LPARAM lParam);
    // True when handled; *result is then the window procedure's result.
    virtual bool OnNotify(NMHDR* header, WPARAM id, LRESULT* result);
    // probe non-null: only say whether the command is enabled (through the
    // probe); null: execute it. True when the command was handled.
    virtual bool RouteCommand(UINT id, UINT code, void* extra, CommandState* probe);
    // A command notification of this control; true when handled here.
    virtual bool OnReflectedCommand(UINT code);
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // True while a modal loop of this window is to keep running.
    virtual bool InModalLoop();
    // Ends the running modal loop after the message being handled; result is
    // what ModalLoop then returns.
    virtual void StopModalLoop(int result);
    // Runs until StopModalLoop; the modal result, or -1 after a quit message.
    virtual int ModalLoop(DWORD flags);
    // True when the message was consumed and must not be dispatched.
    virtual bool PreTranslate(MSG* message);
    // Dialog keyboard and mouse handling on this window; true when consumed.
    virtual bool FilterDialogInput(MSG* message);
    // Dialog initialisation (WM_INITDIALOG through DialogProcedure); true lets
    // the system set the focus.
    virtual bool OnInitDialog();

    // False when this object is bound or handle already has an object.
    bool Attach(HWND newHandle);
    // Ends the binding; returns the handle it had.
    HWND Detach();
    // Binds and installs WindowProcedure; false, changing nothing, when Attach refuses.
    bool Subclass(HWND newHandle);
    // Creates a window bound before its first message; false when none was made.
    bool CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                  int width, int height, HWND parent, HMENU menuOrId, void* param);
    // A modeless dialog from an in-memory template, bound before its first message.
    bool CreateFromTemplate(const DLGTEMPLATE* dialogTemplate, HWND parent);
    // Centres on the owner (or parent) inside the monitor's work area.
    void Center();

    void GetText(String& out) const;
    void ScreenToClientRect(RECT& rect) const;
    void ClientToScreenRect(RECT& rect) const;
    // False when the style stays as it was.
    bool ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
    bool ModifyExStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    bool Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    HWND Handle() const { return handle; }
    int ModalResult() const { return modalResult; }
    // The mark that a modal loop is to keep running, whatever InModalLoop adds.
    bool IsMarkedRunning() const { return (stateFlags & ModalKeepRunning) != 0; }

protected:
    // The window's previous procedure, or DefWindowProcA.
    LRESULT DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam);
    // ModalLoop for a modal dialog or sheet: shown once the queue is first
    // empty, and without idle messages to the owner when it has DS_NOIDLEMSG.
    int RunModalLoop();
    // Gives the window its parent's small icon, when the parent has one.
    void TakeSmallIconFromParent();
    // After a modal run: hides the window, enables the owner again when the
    // run had disabled it, and hands the activation back to it.
    void EndModalRun(HWND owner, bool ownerWasDisabled);

    // stateFlags bits.
    static constexpr DWORD ModalKeepRunning = 0x10;
    static constexpr DWORD ModalRunning = 0x08;

    HWND handle = nullptr;
    int modalResult = -1;
    DWORD stateFlags = 0;
    WNDPROC previousProcedure = nullptr;

private:
    friend LRESULT CALLBACK WindowProcedure(HWND, UINT, WPARAM, LPARAM);

    // The window is gone: forget it and its procedure so the object and the
    // handle value can both be bound again, and end its modal loop.
    void ForgetDestroyedWindow();
    void ShowAfterIdle();
};

// The window procedure of every bound window: hands the message to the
// object's HandleMessage, or to DefWindowProcA when the handle has no object.
// Ends the binding once the final message (WM_NCDESTROY) has been handled.
LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The dialog procedure of framework dialogs and pages: WM_INITDIALOG goes to
// the object's OnInitDialog (1 without an object); everything else is left
// to the dialog manager (0).
INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The thread's window-creation hook, which binds an object to its window
// before the window's first message. Arming installs the hook if needed and
// makes window the object the next created window is bound to; disarming
// removes the hook, and the pending object stays until the next arming.
void ArmCreationHook(Window* window);
bool DisarmCreationHook();
bool IsCreationHookInstalled();
