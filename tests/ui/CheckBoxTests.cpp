#include "ControlsFixture.h"
#include "ui/CheckBox.h"

#include <functional>
#include <string>
#include <vector>

namespace zt::ui::test {
namespace {

class CheckBoxTest : public ControlsTest {
protected:
    CheckBox box;
    std::vector<bool> events; // the state seen by each run of the handler

    void SetUp() override {
        box.SetText(L"Asignar nuevos parámetros ");
        box.OnClick = [this](Control& sender) {
            EXPECT_EQ(&sender, &box);
            events.push_back(box.Checked());
        };
    }
    bool NativeChecked() { return SendMessageW(box.Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }
};

TEST_F(CheckBoxTest, ClickEventFiresOnEveryChangeOfStateAndNeverForTheSameState) {
    Host(box, {10, 10, 200, 17});
    struct Step {
        const char* what;
        std::function<void()> act;
        bool checkedAfter;
        bool fires;
    };
    const Step steps[] = {
        {"program ticks", [&] { box.SetChecked(true); }, true, true},
        {"program ticks again", [&] { box.SetChecked(true); }, true, false},
        {"BM_CLICK", [&] { SendMessageW(box.Handle(), BM_CLICK, 0, 0); }, false, true},
        {"program unticks again", [&] { box.SetChecked(false); }, false, false},
        {"mouse click",
         [&] {
             MouseClick(box.Handle(), {5, 8});
         },
         true, true},
        {"space bar",
         [&] {
             box.SetFocus();
             SpaceBar(box.Handle());
         },
         false, true},
        {"space bar again", [&] { SpaceBar(box.Handle()); }, true, true},
        {"program unticks", [&] { box.SetChecked(false); }, false, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        events.clear();
        step.act();
        application.ProcessMessages();
        EXPECT_EQ(box.Checked(), step.checkedAfter);
        EXPECT_EQ(NativeChecked(), step.checkedAfter);
        if (step.fires)
            EXPECT_EQ(events, std::vector<bool>{step.checkedAfter});
        else
            EXPECT_TRUE(events.empty());
    }
}

TEST_F(CheckBoxTest, HandlerThatChangesTheStateIsReEnteredBeforeTheAssignmentReturns) {
    // The shape of a handler that refuses to let the box be unticked.
    std::vector<std::wstring> trace;
    int depth = 0;
    box.OnClick = [&](Control&) {
        ++depth;
        trace.push_back(L"enter " + std::to_wstring(depth) + (box.Checked() ? L" ticked" : L" unticked"));
        if (!box.Checked()) {
            box.SetChecked(true);
            trace.push_back(L"assignment returned");
        }
        trace.push_back(L"leave " + std::to_wstring(depth));
        --depth;
    };
    Host(box, {10, 10, 200, 17});
    box.SetChecked(true);
    trace.clear();
    SendMessageW(box.Handle(), BM_CLICK, 0, 0);
    const std::vector<std::wstring> expected = {L"enter 1 unticked", L"enter 2 ticked", L"leave 2",
                                                L"assignment returned", L"leave 1"};
    EXPECT_EQ(trace, expected);
    EXPECT_TRUE(box.Checked());
    EXPECT_TRUE(NativeChecked());
}

TEST_F(CheckBoxTest, StateSetBeforeTheWindowExistsIsShownByIt) {
    box.SetChecked(true);
    ASSERT_EQ(events, std::vector<bool>{true});
    events.clear();
    Host(box, {10, 10, 200, 17});
    EXPECT_TRUE(NativeChecked());
    EXPECT_TRUE(events.empty()) << "creating the window is no change of state";
    wchar_t text[64] = {};
    GetWindowTextW(box.Handle(), text, 64);
    EXPECT_STREQ(text, L"Asignar nuevos parámetros ");
}

} // namespace
} // namespace zt::ui::test
