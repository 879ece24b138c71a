// The modal loop of a window and modal dialogs from templates, run on real windows.
#include <gtest/gtest.h>

#include "framework/Dialog.h"
#include "framework/HandleMap.h"
#include "base/String.h"
#include "framework/Window.h"
#include "tests/framework/FrameworkTestResource.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace {

constexpr UINT StopMessage = WM_APP + 1;
constexpr UINT ObserveMessage = WM_APP + 2;

// Stops its modal loop when it receives StopMessage (wParam is the result)
// and records its visibility at every ObserveMessage and system timer message.
class LoopWindow : public Window {
public:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == StopMessage) {
            StopModalLoop(static_cast<int>(wParam));
            return 0;
        }
        if (message == ObserveMessage || message == SystemTimerMessage) {
            visibleWhenObserved.push_back(IsWindowVisible(handle) != FALSE);
            return 0;
        }
        return Window::HandleMessage(message, wParam, lParam);
    }

    std::vector<bool> visibleWhenObserved;
};

// Owner of a loop window: ends the loop at the first WM_ENTERIDLE.
class IdleOwner : public Window {
public:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_ENTERIDLE) {
            ++enterIdleCount;
            if (Window* looping = FromHandle(reinterpret_cast<HWND>(lParam))) {
                loopVisibleAtIdle = IsWindowVisible(looping->Handle()) != FALSE;
                looping->StopModalLoop(3);
            }
            return 0;
        }
        return Window::HandleMessage(message, wParam, lParam);
    }

    int enterIdleCount = 0;
    bool loopVisibleAtIdle = false;
};

bool CreateHidden(Window& window, HWND owner)
{
    return window.CreateEx(0, PlainWindowClass, "loop", WS_POPUP, 20, 20, 200, 100, owner, nullptr,
                           nullptr);
}

}  // namespace

TEST(ModalLoop, StopModalLoopFromAHandlerEndsTheLoopWithItsResult)
{
    DiscardMessages();
    LoopWindow window;
    ASSERT_TRUE(CreateHidden(window, nullptr));
    window.Post(StopMessage, 7);
    EXPECT_EQ(7, window.ModalLoop(ModalNoIdleMessage));
    EXPECT_FALSE(window.InModalLoop());
    EXPECT_FALSE(window.IsMarkedRunning());
}

TEST(ModalLoop, StopModalLoopOutsideALoopOnlyStoresTheResult)
{
    DiscardMessages();
    LoopWindow window;
    ASSERT_TRUE(CreateHidden(window, nullptr));
    window.StopModalLoop(9);
    EXPECT_EQ(9, window.ModalResult());
    MSG message;
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) << "a wake-up was posted with no loop running";
}

TEST(ModalLoop, QuitMessageEndsTheLoopAndIsPassedOnWithItsCode)
{
    DiscardMessages();
    LoopWindow window;
    ASSERT_TRUE(CreateHidden(window, nullptr));
    PostQuitMessage(5);
    EXPECT_EQ(-1, window.ModalLoop(ModalNoIdleMessage));
    EXPECT_FALSE(window.InModalLoop());
    EXPECT_EQ(5, TheTestApplication().ExitCode());

    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit request was not passed on";
    EXPECT_EQ(5u, message.wParam);
}

TEST(ModalLoop, HiddenWindowIsShownWhenTheQueueFirstRunsEmpty)
{
    DiscardMessages();
    IdleOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, PlainWindowClass, "owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                               nullptr));
    LoopWindow window;
    ASSERT_TRUE(CreateHidden(window, owner.Handle()));
    window.Post(ObserveMessage);
    EXPECT_EQ(3, window.ModalLoop(ModalShowWhenIdle));
    ASSERT_EQ(1u, window.visibleWhenObserved.size());
    EXPECT_FALSE(window.visibleWhenObserved[0]) << "shown while messages were waiting";
    EXPECT_TRUE(owner.loopVisibleAtIdle) << "not shown once the queue was empty";
    EXPECT_EQ(1, owner.enterIdleCount);
}

TEST(ModalLoop, SystemTimerOrSystemKeyShowsTheWindowEarly)
{
    for (const UINT early : {SystemTimerMessage, static_cast<UINT>(WM_SYSKEYDOWN)}) {
        DiscardMessages();
        LoopWindow window;
        ASSERT_TRUE(CreateHidden(window, nullptr));
        window.Post(early, early == WM_SYSKEYDOWN ? VK_SHIFT : 0);
        window.Post(ObserveMessage);
        window.Post(StopMessage, 1);
        EXPECT_EQ(1, window.ModalLoop(ModalShowWhenIdle | ModalNoIdleMessage));
        ASSERT_FALSE(window.visibleWhenObserved.empty());
        EXPECT_TRUE(window.visibleWhenObserved.back()) << "message 0x" << std::hex << early;
    }
}

TEST(ModalLoop, NoIdleMessageFlagKeepsTheOwnerQuiet)
{
    DiscardMessages();
    IdleOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, PlainWindowClass, "owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                               nullptr));
    LoopWindow window;
    ASSERT_TRUE(CreateHidden(window, owner.Handle()));
    window.Post(ObserveMessage);
    window.Post(StopMessage, 4);
    EXPECT_EQ(4, window.ModalLoop(ModalNoIdleMessage));
    EXPECT_EQ(0, owner.enterIdleCount);
}

TEST(ModalLoop, DestroyedWindowEndsItsLoop)
{
    DiscardMessages();
    LoopWindow window;
    ASSERT_TRUE(CreateHidden(window, nullptr));
    window.Post(WM_CLOSE);
    EXPECT_EQ(-1, window.ModalLoop(ModalNoIdleMessage));
    EXPECT_EQ(nullptr, window.Handle());
}

TEST(MessageLoop, MainWindowIsShownUpdatedAtIdleAndTheLoopEndsAtQuit)
{
    // Quits at its first idle update.
    class MainWindow : public Window {
    public:
        void OnIdleUpdate() override
        {
            if (++idleUpdates == 1) {
                wasVisibleAtIdle = IsWindowVisible(handle) != FALSE;
                PostQuitMessage(4);
            }
        }
        int idleUpdates = 0;
        bool wasVisibleAtIdle = false;
    };
    DiscardMessages();
    MainWindow main;
    ASSERT_TRUE(main.CreateEx(0, PlainWindowClass, "main", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr));
    TestApplication& application = TheTestApplication();
    application.SetMainWindow(main.Handle());
    const int finishCalls = application.finishCalls;
    const int result = application.RunMessageLoop();
    application.SetMainWindow(nullptr);

    EXPECT_EQ(4, result);
    EXPECT_EQ(finishCalls + 1, application.finishCalls);
    EXPECT_EQ(1, main.idleUpdates);
    EXPECT_TRUE(main.wasVisibleAtIdle);
}

namespace {

// The test dialog with hooks for what the tests do while it runs.
class TestDialog : public Dialog {
public:
    TestDialog() { templateName = MAKEINTRESOURCEA(IDD_TEST_DIALOG); }

    bool OnInitDialog() override
    {
        ++initCount;
        Dialog::OnInitDialog();
        ownerEnabledWhileRunning = ownerWindow == nullptr || IsWindowEnabled(ownerWindow);
        if (action != 0)
            Post(WM_COMMAND, MAKEWPARAM(action, BN_CLICKED), 0);
        return true;
    }
    void OnOK() override
    {
        ++okCount;
        Dialog::OnOK();
    }

    UINT action = 0;
    int initCount = 0;
    int okCount = 0;
    bool ownerEnabledWhileRunning = true;
};

}  // namespace

TEST(DialogRun, CommandsEndTheModalRunWithTheirIds)
{
    const struct {
        const char* name;
        UINT action;
        int expected;
    } rows[] = {
        {"OK", IDOK, IDOK},
        {"Cancel", IDCANCEL, IDCANCEL},
    };
    for (const auto& row : rows) {
        DiscardMessages();
        TestDialog dialog;
        dialog.action = row.action;
        EXPECT_EQ(row.expected, dialog.DoModal()) << row.name;
        EXPECT_EQ(1, dialog.initCount) << row.name;
        EXPECT_EQ(row.action == IDOK ? 1 : 0, dialog.okCount) << row.name << ": OK ran during the probe";
        EXPECT_EQ(nullptr, dialog.Handle()) << row.name;
        EXPECT_TRUE(TheTestApplication().Handles()->IsEmpty()) << row.name << ": entries left behind";
    }
}

TEST(DialogRun, OwnerIsDisabledWhileTheDialogRuns)
{
    DiscardMessages();
    Window owner;
    ASSERT_TRUE(owner.CreateEx(0, PlainWindowClass, "owner", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200,
                               nullptr, nullptr, nullptr));
    TestDialog dialog;
    dialog.ownerWindow = owner.Handle();
    dialog.action = IDOK;
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_FALSE(dialog.ownerEnabledWhileRunning);
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
}

TEST(DialogRun, DialogWithoutTemplateReturnsMinusOne)
{
    Dialog dialog;
    EXPECT_EQ(-1, dialog.DoModal());
    dialog.templateName = MAKEINTRESOURCEA(999);
    EXPECT_EQ(-1, dialog.DoModal());
}

TEST(DialogRun, ModelessDialogFromTheResourceIsBound)
{
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_TEST_DIALOG, nullptr));
    EXPECT_EQ(&dialog, Window::FromHandle(dialog.Handle()));
    EXPECT_EQ(1, dialog.initCount);
    String text;
    dialog.GetText(text);
    EXPECT_STREQ("Test Dialog", text.Text());
}
