// Window objects bound to real windows: the creation hook, Subclass, and the end of every binding.
#include <gtest/gtest.h>

#include "framework/HandleMap.h"
#include "framework/MessageRouting.h"
#include "framework/Window.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace {

// Remembers the first message it handled and whether the map knew it then.
class FirstMessageWindow : public Window {
public:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (firstMessage == 0) {
            firstMessage = message;
            wasInMapAtFirstMessage = FromHandle(handle) == this;
        }
        return Window::HandleMessage(message, wParam, lParam);
    }

    UINT firstMessage = 0;
    bool wasInMapAtFirstMessage = false;
};

bool CreateTopLevel(Window& window, const char* windowClass = PlainWindowClass)
{
    return window.CreateEx(0, windowClass, "binding", WS_OVERLAPPEDWINDOW, 10, 10, 200, 150, nullptr, nullptr,
                           nullptr);
}

bool CreateChild(Window& window, HWND parent, const char* windowClass = "BUTTON")
{
    const RECT rect = {5, 5, 80, 30};
    return window.Create(windowClass, "child", WS_VISIBLE, rect, parent, 100);
}

}  // namespace

TEST(WindowBinding, CreatedWindowIsInTheMapAtItsFirstMessage)
{
    FirstMessageWindow window;
    ASSERT_TRUE(CreateTopLevel(window));
    EXPECT_TRUE(window.firstMessage == WM_GETMINMAXINFO || window.firstMessage == WM_NCCREATE)
        << "first message 0x" << std::hex << window.firstMessage;
    EXPECT_TRUE(window.wasInMapAtFirstMessage);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(WindowProcedure), GetWindowLongPtrA(window.Handle(), GWLP_WNDPROC));
    EXPECT_FALSE(IsCreationHookInstalled()) << "hook left installed after the creation";
}

TEST(WindowBinding, SubclassOfBoundHandleFailsAndChangesNothing)
{
    Window first;
    ASSERT_TRUE(CreateTopLevel(first));
    const LONG_PTR procedure = GetWindowLongPtrA(first.Handle(), GWLP_WNDPROC);

    Window second;
    EXPECT_FALSE(second.Subclass(first.Handle()));
    EXPECT_EQ(nullptr, second.Handle());
    EXPECT_EQ(&first, Window::FromHandle(first.Handle()));
    EXPECT_EQ(procedure, GetWindowLongPtrA(first.Handle(), GWLP_WNDPROC));

    // A bound object refuses a second window too.
    Window other;
    ASSERT_TRUE(CreateTopLevel(other));
    HWND otherHandle = other.Detach();
    EXPECT_FALSE(first.Subclass(otherHandle));
    EXPECT_EQ(nullptr, Window::FromHandle(otherHandle));
    DestroyWindow(otherHandle);
}

TEST(WindowBinding, UnsubclassPutsTheControlsProcedureBack)
{
    Window parent;
    ASSERT_TRUE(CreateTopLevel(parent));
    HWND button = CreateWindowExA(0, "BUTTON", "plain", WS_CHILD, 0, 0, 50, 20, parent.Handle(), nullptr,
                                  nullptr, nullptr);
    const LONG_PTR original = GetWindowLongPtrA(button, GWLP_WNDPROC);

    Window control;
    ASSERT_TRUE(control.Subclass(button));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(WindowProcedure), GetWindowLongPtrA(button, GWLP_WNDPROC));
    // Default processing reaches the button's own procedure.
    EXPECT_EQ(BST_UNCHECKED, control.Send(BM_GETCHECK));
    control.Unsubclass();
    EXPECT_EQ(original, GetWindowLongPtrA(button, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, Window::FromHandle(button));

    // The object can serve another control afterwards.
    Window parentOfSecond;
    ASSERT_TRUE(CreateTopLevel(parentOfSecond));
    ASSERT_TRUE(CreateChild(control, parentOfSecond.Handle()));
    EXPECT_EQ(&control, Window::FromHandle(control.Handle()));
}

// Every way a window or its object can go leaves no entry behind, and both
// the object and the handle value can be bound again.
TEST(WindowBinding, NoEntryOutlivesItsWindowOrItsObject)
{
    const struct {
        const char* name;
        void (*end)(Window& parent, Window& child);
    } rows[] = {
        {"DestroyWindow on the window", [](Window&, Window& child) { DestroyWindow(child.Handle()); }},
        {"Destroy on the object", [](Window&, Window& child) { child.Destroy(); }},
        {"parent destroyed with its child", [](Window& parent, Window&) { parent.Destroy(); }},
    };
    for (const auto& row : rows) {
        Window parent;
        Window child;
        ASSERT_TRUE(CreateTopLevel(parent)) << row.name;
        ASSERT_TRUE(CreateChild(child, parent.Handle(), PlainWindowClass)) << row.name;
        HWND childHandle = child.Handle();
        row.end(parent, child);
        EXPECT_FALSE(IsWindow(childHandle)) << row.name;
        EXPECT_EQ(nullptr, child.Handle()) << row.name;
        EXPECT_EQ(nullptr, Window::FromHandle(childHandle)) << row.name;

        Window reuse;
        EXPECT_TRUE(reuse.Attach(childHandle)) << row.name << ": the old handle value stays blocked";
        reuse.Detach();
        if (parent.Handle() == nullptr) {
            ASSERT_TRUE(CreateTopLevel(parent)) << row.name;
        }
        EXPECT_TRUE(CreateChild(child, parent.Handle())) << row.name << ": the object cannot be bound again";
    }

    HWND handle = nullptr;
    {
        Window scoped;
        ASSERT_TRUE(CreateTopLevel(scoped));
        handle = scoped.Handle();
    }
    EXPECT_FALSE(IsWindow(handle)) << "the destructor leaves the window alive";
    EXPECT_EQ(nullptr, Window::FromHandle(handle)) << "the destructor leaves the entry behind";
    EXPECT_TRUE(TheTestApplication().Handles()->IsEmpty());
}

TEST(WindowBinding, PreCreateCanRefuseTheCreation)
{
    class Refusing : public Window {
    public:
        bool PreCreate(CREATESTRUCTA&) override { return false; }
        void OnDetached() override { ++detached; }
        int detached = 0;
    };
    Refusing window;
    EXPECT_FALSE(CreateTopLevel(window));
    EXPECT_EQ(1, window.detached);
    EXPECT_EQ(nullptr, window.Handle());
}
