// A three-page wizard on the platform's property-sheet control: buttons, page flow, Finish and Cancel.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/HandleMap.h"
#include "framework/PropertyPage.h"
#include "framework/PropertySheet.h"
#include "tests/framework/FrameworkTestResource.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace {

constexpr UINT StepMessage = WM_APP + 10;
// Ends a run that the steps failed to end, so that a fault shows as a result
// instead of a hang.
constexpr int RunNotEnded = -99;

class TestPage : public PropertyPage {
public:
    explicit TestPage(UINT id) : PropertyPage(id, 0), templateId(id) {}

    bool OnInitDialog() override
    {
        ++initCount;
        wasBoundAtInit = FromHandle(handle) == this;
        return PropertyPage::OnInitDialog();
    }
    bool OnSetActive() override
    {
        // As the wizard's pages do: posted, so it acts after the activation.
        PostMessageA(GetParent(handle), PSM_SETWIZBUTTONS, 0, buttons);
        return true;
    }
    LRESULT OnWizardBack() override
    {
        ++backCalls;
        return backAnswer;
    }
    LRESULT OnWizardNext() override
    {
        ++nextCalls;
        return nextAnswer;
    }
    bool OnWizardFinish() override
    {
        ++finishCalls;
        return allowFinish;
    }
    bool OnQueryCancel() override
    {
        ++cancelQueries;
        return allowCancel;
    }

    UINT templateId;
    DWORD buttons = PSWIZB_BACK | PSWIZB_NEXT;
    LRESULT backAnswer = 0;
    LRESULT nextAnswer = 0;
    bool allowFinish = true;
    bool allowCancel = true;
    int initCount = 0;
    bool wasBoundAtInit = false;
    int backCalls = 0;
    int nextCalls = 0;
    int finishCalls = 0;
    int cancelQueries = 0;
};

// Runs its steps one per posted message once the sheet is on screen, so
// that every message a step causes is handled before the next step.
class TestWizard : public PropertySheet {
public:
    using Step = std::function<void(TestWizard&)>;

    TestWizard() : PropertySheet(IDS_TEST_SHEET_CAPTION, nullptr, 0), a(IDD_TEST_PAGE_A), b(IDD_TEST_PAGE_B),
                   c(IDD_TEST_PAGE_C)
    {
        useOwner = false;
        a.buttons = PSWIZB_NEXT;
        AddPage(&a);
        AddPage(&b);
        AddPage(&c);
        header.dwFlags |= PSH_WIZARD;
    }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SHOWWINDOW && wParam != 0 && !isStarted) {
            isStarted = true;
            Post(StepMessage);
        } else if (message == StepMessage) {
            if (nextStep < steps.size()) {
                steps[nextStep++](*this);
                Post(StepMessage);
            } else {
                EndDialog(RunNotEnded);
            }
            return 0;
        }
        return PropertySheet::HandleMessage(message, wParam, lParam);
    }
    bool OnInitDialog() override
    {
        ++initCount;
        return PropertySheet::OnInitDialog();
    }

    HWND Button(int id) const { return GetDlgItem(handle, id); }
    // As a user's click: the button itself reports it to the sheet.
    void Click(int id) const { SendMessageA(Button(id), BM_CLICK, 0, 0); }
    UINT CurrentTemplate() const
    {
        auto* page = static_cast<TestPage*>(FromHandle(reinterpret_cast<HWND>(Send(PSM_GETCURRENTPAGEHWND))));
        return page != nullptr ? page->templateId : 0;
    }
    TestPage& Page(UINT templateId) { return templateId == a.templateId ? a : templateId == b.templateId ? b : c; }

    TestPage a;
    TestPage b;
    TestPage c;
    std::vector<Step> steps;
    size_t nextStep = 0;
    bool isStarted = false;
    int initCount = 0;
};

struct ButtonState {
    bool visible;
    bool enabled;
};

ButtonState StateOf(HWND button)
{
    return {button != nullptr && IsWindowVisible(button) != FALSE, button != nullptr && IsWindowEnabled(button) != FALSE};
}

RECT RectIn(HWND window, HWND sheet)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

TEST(PropertySheet, WizardButtonsFollowTheirFlagsAndStandSideBySide)
{
    DiscardMessages();
    TestWizard wizard;
    const int ids[] = {SheetBackButtonId, SheetNextButtonId, SheetFinishButtonId};
    const struct {
        const char* name;
        DWORD mask;  // 0xFFFFFFFF: what the first page asked for (Next only)
        bool enabled[3];
    } rows[] = {
        {"first page asks for Next", 0xFFFFFFFF, {false, true, false}},
        {"Back and Next (3)", PSWIZB_BACK | PSWIZB_NEXT, {true, true, false}},
        {"none (0)", 0, {false, false, false}},
        {"Finish only (4)", PSWIZB_FINISH, {false, false, true}},
    };
    std::vector<std::vector<ButtonState>> seen;
    std::string caption;
    bool hasContextHelp = true;
    RECT rects[4] = {};
    for (const auto& row : rows) {
        if (row.mask != 0xFFFFFFFF)
            wizard.steps.push_back([&row](TestWizard& sheet) { sheet.Post(PSM_SETWIZBUTTONS, 0, row.mask); });
        wizard.steps.push_back([&](TestWizard& sheet) {
            seen.emplace_back();
            for (int id : ids)
                seen.back().push_back(StateOf(sheet.Button(id)));
        });
    }
    wizard.steps.push_back([&](TestWizard& sheet) {
        char text[64] = {};
        GetWindowTextA(sheet.Handle(), text, sizeof(text));
        caption = text;
        hasContextHelp = (GetWindowLongPtrA(sheet.Handle(), GWL_EXSTYLE) & WS_EX_CONTEXTHELP) != 0;
        const int order[] = {SheetBackButtonId, SheetNextButtonId, SheetFinishButtonId, IDCANCEL};
        for (int i = 0; i < 4; ++i)
            rects[i] = RectIn(sheet.Button(order[i]), sheet.Handle());
        sheet.Click(IDCANCEL);
    });

    EXPECT_EQ(IDCANCEL, wizard.DoModal());
    ASSERT_EQ(std::size(rows), seen.size());
    for (size_t r = 0; r < seen.size(); ++r) {
        for (int i = 0; i < 3; ++i) {
            EXPECT_TRUE(seen[r][i].visible) << rows[r].name << ", button 0x" << std::hex << ids[i];
            EXPECT_EQ(rows[r].enabled[i], seen[r][i].enabled) << rows[r].name << ", button 0x" << std::hex << ids[i];
        }
    }
    EXPECT_EQ("Framework Test Sheet", caption);
    EXPECT_FALSE(hasContextHelp);
    const char* names[] = {"Back", "Next", "Finish", "Cancel"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_LE(rects[i].right, rects[i + 1].left) << names[i] << " overlaps " << names[i + 1];
        EXPECT_EQ(rects[i].top, rects[i + 1].top) << names[i] << " and " << names[i + 1] << " are not in one row";
    }
}

TEST(PropertySheet, BackAndNextAnswersChooseThePage)
{
    DiscardMessages();
    TestWizard wizard;
    enum Press { Back, Next, NextWhileDisabled };
    const struct {
        const char* name;
        UINT at;
        Press press;
        LRESULT answer;
        UINT expected;
        bool isConsulted;
    } rows[] = {
        {"Next 0 goes to the neighbour", IDD_TEST_PAGE_A, Next, 0, IDD_TEST_PAGE_B, true},
        {"Next -1 stays", IDD_TEST_PAGE_B, Next, -1, IDD_TEST_PAGE_B, true},
        {"Back -1 stays", IDD_TEST_PAGE_B, Back, -1, IDD_TEST_PAGE_B, true},
        {"Back 0 goes to the neighbour", IDD_TEST_PAGE_B, Back, 0, IDD_TEST_PAGE_A, true},
        {"Next with a template id jumps there", IDD_TEST_PAGE_A, Next, IDD_TEST_PAGE_C, IDD_TEST_PAGE_C, true},
        {"Back with a template id jumps there", IDD_TEST_PAGE_C, Back, IDD_TEST_PAGE_A, IDD_TEST_PAGE_A, true},
        {"Next 0 again", IDD_TEST_PAGE_A, Next, 0, IDD_TEST_PAGE_B, true},
        {"disabled Next is not consulted", IDD_TEST_PAGE_B, NextWhileDisabled, -1, IDD_TEST_PAGE_C, false},
    };
    struct Seen {
        UINT before;
        UINT after;
        int calls;
        std::string caption;
    };
    std::vector<Seen> seen;
    for (const auto& row : rows) {
        if (row.press == NextWhileDisabled)
            wizard.steps.push_back([](TestWizard& sheet) { sheet.Post(PSM_SETWIZBUTTONS, 0, PSWIZB_BACK); });
        wizard.steps.push_back([&](TestWizard& sheet) {
            const UINT before = sheet.CurrentTemplate();
            TestPage& page = sheet.Page(before);
            page.backAnswer = page.nextAnswer = row.answer;
            const int calls = page.backCalls + page.nextCalls;
            if (row.press == Back)
                sheet.Click(SheetBackButtonId);
            else if (row.press == Next)
                sheet.Click(SheetNextButtonId);
            else
                sheet.Send(PSM_PRESSBUTTON, PSBTN_NEXT);
            char caption[64] = {};
            GetWindowTextA(sheet.Handle(), caption, sizeof(caption));
            seen.push_back({before, sheet.CurrentTemplate(), page.backCalls + page.nextCalls - calls, caption});
        });
    }
    wizard.steps.push_back([](TestWizard& sheet) { sheet.Click(IDCANCEL); });

    EXPECT_EQ(IDCANCEL, wizard.DoModal());
    ASSERT_EQ(std::size(rows), seen.size());
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(rows[i].at, seen[i].before) << rows[i].name;
        EXPECT_EQ(rows[i].expected, seen[i].after) << rows[i].name;
        EXPECT_EQ(rows[i].isConsulted ? 1 : 0, seen[i].calls) << rows[i].name;
        EXPECT_EQ("Framework Test Sheet", seen[i].caption) << rows[i].name << ": the wizard lost its caption";
    }

    // Each page window was made once, bound to its object before its
    // initialisation, and let go with the sheet.
    EXPECT_EQ(1, wizard.initCount);
    for (TestPage* page : {&wizard.a, &wizard.b, &wizard.c}) {
        EXPECT_EQ(1, page->initCount) << "page " << page->templateId;
        EXPECT_TRUE(page->wasBoundAtInit) << "page " << page->templateId;
        EXPECT_EQ(nullptr, page->Handle()) << "page " << page->templateId;
    }
    EXPECT_EQ(nullptr, wizard.Handle());
    EXPECT_TRUE(TheTestApplication().Handles()->IsEmpty());
    EXPECT_FALSE(IsCreationHookInstalled());
}

TEST(PropertySheet, FinishAndCancelEndTheRunWithTheirButtonIds)
{
    const struct {
        const char* name;
        int button;
        int expected;
    } rows[] = {
        {"Finish", SheetFinishButtonId, SheetFinishButtonId},
        {"Cancel", IDCANCEL, IDCANCEL},
    };
    for (const auto& row : rows) {
        DiscardMessages();
        TestWizard wizard;
        bool stayedAfterRefusal = false;
        wizard.steps.push_back([](TestWizard& sheet) { sheet.Post(PSM_SETWIZBUTTONS, 0, PSWIZB_FINISH); });
        // First refused by the page, then allowed.
        wizard.steps.push_back([&](TestWizard& sheet) {
            sheet.a.allowFinish = sheet.a.allowCancel = false;
            sheet.Click(row.button);
            stayedAfterRefusal = sheet.CurrentTemplate() == IDD_TEST_PAGE_A;
            sheet.a.allowFinish = sheet.a.allowCancel = true;
        });
        wizard.steps.push_back([&](TestWizard& sheet) { sheet.Click(row.button); });

        EXPECT_EQ(row.expected, wizard.DoModal()) << row.name;
        EXPECT_TRUE(stayedAfterRefusal) << row.name;
        EXPECT_EQ(row.button == IDCANCEL ? 0 : 2, wizard.a.finishCalls) << row.name;
        EXPECT_EQ(row.button == IDCANCEL ? 2 : 0, wizard.a.cancelQueries) << row.name;
        EXPECT_TRUE(TheTestApplication().Handles()->IsEmpty()) << row.name;
    }
}
