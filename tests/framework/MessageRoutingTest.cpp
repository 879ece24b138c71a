// Messages reaching window objects: reflection, command probes, notifications, idle updates and filtering.
#include <gtest/gtest.h>

#include <vector>

#include "framework/CommandState.h"
#include "framework/MessageRouting.h"
#include "framework/Window.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace {

constexpr UINT ChildId = 100;

// Records what the routing hands to a window object.
class RecordingWindow : public Window {
public:
    struct Route {
        UINT id;
        UINT code;
        bool isProbe;
    };

    bool RouteCommand(UINT id, UINT code, void*, CommandState* probe) override
    {
        routes.push_back({id, code, probe != nullptr});
        if (probe != nullptr && disableInProbe)
            probe->Enable(false);
        return handleCommands;
    }
    bool OnReflectedCommand(UINT code) override
    {
        reflectedCodes.push_back(code);
        return handleReflected;
    }
    bool OnNotify(NMHDR* header, WPARAM, LRESULT* result) override
    {
        notifyCodes.push_back(header->code);
        *result = notifyResult;
        return handleNotify;
    }
    void OnIdleUpdate() override { ++idleUpdates; }
    void OnDrawItem(DRAWITEMSTRUCT* item) override { drawnIds.push_back(item->CtlID); }
    bool PreTranslate(MSG*) override
    {
        ++preTranslateCalls;
        return consumeInput;
    }

    std::vector<Route> routes;
    std::vector<UINT> reflectedCodes;
    std::vector<UINT> notifyCodes;
    std::vector<UINT> drawnIds;
    bool disableInProbe = false;
    bool handleCommands = true;
    bool handleReflected = false;
    bool handleNotify = false;
    LRESULT notifyResult = 0;
    int idleUpdates = 0;
    int preTranslateCalls = 0;
    bool consumeInput = false;
};

// A parent with one bound child control, both created through the framework.
struct Family {
    Family(const char* parentClass = PlainWindowClass)
    {
        parent.CreateEx(0, parentClass, "parent", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr, nullptr);
        const RECT rect = {10, 10, 110, 40};
        child.Create(CountingWindowClass, "child", WS_VISIBLE, rect, parent.Handle(), ChildId);
    }

    RecordingWindow parent;
    RecordingWindow child;
};

}  // namespace

TEST(MessageRouting, CommandsTakeTheirDocumentedPath)
{
    const struct {
        const char* name;
        bool fromControl;
        UINT id;
        bool handleReflected;
        bool disableInProbe;
        LRESULT expectedResult;
        size_t expectedReflections;
        std::vector<bool> expectedRoutes;  // isProbe of each RouteCommand call
    } rows[] = {
        {"reflected and handled by the control", true, ChildId, true, false, 1, 1, {}},
        {"reflected, not handled, executed by the parent", true, ChildId, false, false, 1, 1, {false}},
        {"no control: probed, then executed", false, 40001, false, false, 1, 0, {true, false}},
        {"no control, disabled by the probe: swallowed", false, 40001, false, true, 1, 0, {true}},
        {"id 0: default processing only", false, 0, false, false, 0, 0, {}},
    };
    for (const auto& row : rows) {
        Family family;
        family.child.handleReflected = row.handleReflected;
        family.parent.disableInProbe = row.disableInProbe;
        const LPARAM control = row.fromControl ? reinterpret_cast<LPARAM>(family.child.Handle()) : 0;
        const LRESULT result = family.parent.Send(WM_COMMAND, MAKEWPARAM(row.id, BN_CLICKED), control);
        EXPECT_EQ(row.expectedResult, result) << row.name;
        EXPECT_EQ(row.expectedReflections, family.child.reflectedCodes.size()) << row.name;
        ASSERT_EQ(row.expectedRoutes.size(), family.parent.routes.size()) << row.name;
        for (size_t i = 0; i < row.expectedRoutes.size(); ++i) {
            EXPECT_EQ(row.expectedRoutes[i], family.parent.routes[i].isProbe) << row.name << ", call " << i;
            EXPECT_EQ(row.id, family.parent.routes[i].id) << row.name;
        }
    }
}

TEST(MessageRouting, NotifyResultIsTheWindowProceduresResult)
{
    const struct {
        const char* name;
        bool handled;
        LRESULT result;
        LRESULT expected;
    } rows[] = {
        {"handled with 5", true, 5, 5},
        {"handled with -1", true, -1, -1},
        {"not handled: default processing", false, 5, 0},
    };
    for (const auto& row : rows) {
        Family family;
        family.parent.handleNotify = row.handled;
        family.parent.notifyResult = row.result;
        NMHDR header = {family.child.Handle(), ChildId, 1234u};
        EXPECT_EQ(row.expected, family.parent.Send(WM_NOTIFY, ChildId, reinterpret_cast<LPARAM>(&header)))
            << row.name;
        ASSERT_EQ(1u, family.parent.notifyCodes.size()) << row.name;
    }
}

TEST(MessageRouting, OwnerDrawRequestsReachTheControlsObject)
{
    Family family;
    DRAWITEMSTRUCT item = {};
    item.CtlID = ChildId;
    item.hwndItem = family.child.Handle();
    EXPECT_EQ(1, family.parent.Send(WM_DRAWITEM, ChildId, reinterpret_cast<LPARAM>(&item)));
    ASSERT_EQ(1u, family.child.drawnIds.size());
    EXPECT_EQ(ChildId, family.child.drawnIds[0]);

    // A control without an object: default processing.
    item.CtlID = 999;
    EXPECT_EQ(0, family.parent.Send(WM_DRAWITEM, 999, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(1u, family.child.drawnIds.size());
}

TEST(MessageRouting, IdleUpdateReachesTheObjectThenThePreviousProcedure)
{
    IdleUpdatesSeenByClass = 0;
    Family family(CountingWindowClass);
    family.parent.Send(IdleUpdateMessage, 1, 0);
    EXPECT_EQ(1, family.parent.idleUpdates);
    EXPECT_EQ(1, IdleUpdatesSeenByClass);
}

TEST(MessageRouting, IdleStepUpdatesTheMainWindowAndItsDirectChildrenOnce)
{
    Family family;
    RecordingWindow grandchild;
    const RECT rect = {0, 0, 10, 10};
    ASSERT_TRUE(grandchild.Create(PlainWindowClass, "", 0, rect, family.child.Handle(), 1));
    TestApplication& application = TheTestApplication();
    application.SetMainWindow(family.parent.Handle());

    EXPECT_FALSE(application.IdleStep(0));
    EXPECT_FALSE(application.IdleStep(1));
    application.SetMainWindow(nullptr);

    EXPECT_EQ(1, family.parent.idleUpdates);
    EXPECT_EQ(1, family.child.idleUpdates);
    EXPECT_EQ(0, grandchild.idleUpdates);
}

TEST(MessageRouting, PumpOneMessageDropsTheWakeOnlyMessageAndReportsQuit)
{
    Family family;
    TestApplication& application = TheTestApplication();
    DiscardMessages();

    family.parent.Post(WakeOnlyMessage);
    family.parent.Post(WM_USER + 5);
    application.filterCalls = 0;
    EXPECT_TRUE(application.PumpOneMessage());
    EXPECT_EQ(WakeOnlyMessage, application.currentMessage.message);
    EXPECT_EQ(0, application.filterCalls) << "the wake-only message was offered to the filter";
    EXPECT_TRUE(application.PumpOneMessage());
    EXPECT_EQ(1, application.filterCalls);

    PostQuitMessage(7);
    EXPECT_FALSE(application.PumpOneMessage());
    EXPECT_EQ(7, application.ExitCode());
}

TEST(MessageRouting, IdleTriggers)
{
    TestApplication& application = TheTestApplication();
    auto message = [](UINT number, int x, int y) {
        MSG record = {};
        record.message = number;
        record.pt = {x, y};
        return record;
    };
    const struct {
        const char* name;
        MSG message;
        bool expected;
    } rows[] = {
        {"first move", message(WM_MOUSEMOVE, 5, 5), true},
        {"same point, same message", message(WM_MOUSEMOVE, 5, 5), false},
        {"same point, non-client move", message(WM_NCMOUSEMOVE, 5, 5), true},
        {"same non-client move again", message(WM_NCMOUSEMOVE, 5, 5), false},
        {"new point", message(WM_NCMOUSEMOVE, 6, 5), true},
        {"paint", message(WM_PAINT, 0, 0), false},
        {"system timer", message(SystemTimerMessage, 0, 0), false},
        {"key", message(WM_KEYDOWN, 0, 0), true},
        {"timer", message(WM_TIMER, 0, 0), true},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.expected, application.IsIdleTrigger(row.message)) << row.name;
}

TEST(MessageRouting, FilterWalksFromTheMessagesWindowUpToTheStop)
{
    Family family;
    TestApplication& application = TheTestApplication();
    MSG message = {};
    message.hwnd = family.child.Handle();
    message.message = WM_KEYDOWN;

    family.parent.consumeInput = true;
    EXPECT_TRUE(application.FilterMessage(&message)) << "the parent was not asked";
    EXPECT_EQ(1, family.child.preTranslateCalls);
    EXPECT_EQ(1, family.parent.preTranslateCalls);

    EXPECT_FALSE(PreTranslateWalk(family.child.Handle(), &message)) << "the walk went past its stop";
    EXPECT_EQ(1, family.parent.preTranslateCalls);

    // A thread message has no window to walk from.
    message.hwnd = nullptr;
    EXPECT_FALSE(application.FilterMessage(&message));
    EXPECT_EQ(2, family.child.preTranslateCalls);
    EXPECT_EQ(1, family.parent.preTranslateCalls);
}

TEST(MessageRouting, FilterDialogInputTakesOnlyKeyboardAndMouseMessages)
{
    Family family;
    const struct {
        UINT number;
        bool expected;
    } rows[] = {
        {WM_CHAR, true},
        {WM_LBUTTONDOWN, true},
        {WM_KEYDOWN, true},
        {WM_PAINT, false},
        {WM_USER, false},
    };
    for (const auto& row : rows) {
        MSG message = {};
        message.hwnd = family.child.Handle();
        message.message = row.number;
        EXPECT_EQ(row.expected, family.parent.FilterDialogInput(&message)) << "message 0x" << std::hex << row.number;
    }
}

TEST(MessageRouting, CommandStateActsOnTheControl)
{
    Family family;
    HWND check = CreateWindowExA(0, "BUTTON", "check", WS_CHILD | WS_VISIBLE | BS_CHECKBOX, 0, 50, 80, 20,
                                 family.parent.Handle(), nullptr, nullptr, nullptr);
    CommandState state;
    state.control = check;
    state.id = 41;

    state.SetCheck(1);
    EXPECT_EQ(BST_CHECKED, SendMessageA(check, BM_GETCHECK, 0, 0));
    state.SetText("renamed");
    char text[16] = {};
    GetWindowTextA(check, text, sizeof(text));
    EXPECT_STREQ("renamed", text);

    // Nobody answers: the element is disabled.
    family.parent.handleCommands = false;
    EXPECT_FALSE(state.Update(&family.parent, true));
    EXPECT_FALSE(IsWindowEnabled(check));
    family.parent.handleCommands = true;
    EXPECT_TRUE(state.Update(&family.parent, true));
    EXPECT_TRUE(IsWindowEnabled(check));
    ASSERT_FALSE(family.parent.routes.empty());
    EXPECT_TRUE(family.parent.routes.back().isProbe);

    // A probe changes nothing on screen.
    CommandProbe probe;
    probe.control = check;
    probe.Enable(false);
    probe.SetCheck(0);
    EXPECT_TRUE(IsWindowEnabled(check));
    EXPECT_EQ(BST_CHECKED, SendMessageA(check, BM_GETCHECK, 0, 0));
    EXPECT_EQ(0, probe.enabled);
    EXPECT_EQ(1, probe.handled);
}
