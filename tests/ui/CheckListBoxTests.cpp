#include "ControlsFixture.h"
#include "ui/CheckListBox.h"
#include "ui/Layout.h"

#include <memory>
#include <oleacc.h>
#include <string>
#include <vector>

namespace zt::ui::test {
namespace {

class CheckListBoxTest : public ControlsTest {
protected:
    CheckListBox list;

    void SetUp() override {
        LayoutRow row{};
        row.columns = 3;
        row.itemHeight = 13;
        list.Configure(row);
    }
    // Tick marks as the native list holds them, for everyone outside to read.
    std::vector<bool> NativeMarks() {
        std::vector<bool> marks;
        const auto count = SendMessageW(list.Handle(), LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i)
            marks.push_back(SendMessageW(list.Handle(), LB_GETITEMDATA, static_cast<WPARAM>(i), 0) == 1);
        return marks;
    }
    std::vector<bool> Marks() const {
        std::vector<bool> marks;
        for (std::size_t i = 0; i < list.Count(); ++i)
            marks.push_back(list.Checked(i));
        return marks;
    }
    RECT ItemRect(int index) {
        RECT rect{};
        SendMessageW(list.Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
    void Fill(int count) {
        for (int i = 0; i < count; ++i)
            list.Add(L"Alias" + std::to_wstring(i));
    }
};

TEST_F(CheckListBoxTest, ItemsKeepTheirOrderAndTickMarksNatively) {
    for (const wchar_t* name : {L"Zentor7", L"Alfa", L"Nómina"})
        list.Add(name); // before the native window exists
    list.SetChecked(0, true);
    list.SetChecked(2, true);
    Host(list, {10, 10, 605, 113});
    list.Add(L"Beta"); // after
    list.SetChecked(3, true);
    list.SetChecked(0, false);
    const wchar_t* expected[] = {L"Zentor7", L"Alfa", L"Nómina", L"Beta"};
    ASSERT_EQ(SendMessageW(list.Handle(), LB_GETCOUNT, 0, 0), 4);
    for (int i = 0; i < 4; ++i) {
        wchar_t text[64] = {};
        SendMessageW(list.Handle(), LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, expected[i]);
    }
    EXPECT_EQ(NativeMarks(), (std::vector<bool>{false, false, true, true}));
    list.Clear();
    EXPECT_EQ(SendMessageW(list.Handle(), LB_GETCOUNT, 0, 0), 0);
}

TEST_F(CheckListBoxTest, ColumnsAreFilledTopToBottomAndThenScrollSideways) {
    Host(list, {10, 10, 605, 113});
    Fill(30); // more than three columns hold
    RECT client;
    GetClientRect(list.Handle(), &client); // above the scroll bar that the overflow brings
    const int perColumn = client.bottom / 13;
    ASSERT_LT(perColumn * 3, 30);
    EXPECT_EQ(SendMessageW(list.Handle(), LB_GETITEMHEIGHT, 0, 0), 13);
    const RECT first = ItemRect(0);
    const RECT second = ItemRect(1);
    const RECT nextColumn = ItemRect(perColumn);
    EXPECT_EQ(second.left, first.left);
    EXPECT_EQ(second.top, first.bottom);
    EXPECT_EQ(nextColumn.top, first.top);
    EXPECT_EQ(nextColumn.left - first.left, client.right / 3);
    EXPECT_NE(GetWindowLongW(list.Handle(), GWL_STYLE) & WS_HSCROLL, 0);
    SCROLLINFO scroll{};
    scroll.cbSize = sizeof scroll;
    scroll.fMask = SIF_RANGE | SIF_PAGE;
    ASSERT_TRUE(GetScrollInfo(list.Handle(), SB_HORZ, &scroll));
    EXPECT_GT(scroll.nMax - scroll.nMin + 1, static_cast<int>(scroll.nPage))
        << "a fourth column to scroll to";
}

TEST_F(CheckListBoxTest, MouseClickOnAnItemTogglesIt) {
    Fill(3);
    list.SetChecked(1, true);
    Host(list, {10, 10, 605, 113});
    struct Click {
        const char* what;
        int item;
        int x; // from the item's left edge
        std::vector<bool> after;
    };
    const Click clicks[] = {
        {"tick box of the first", 0, 6, {true, true, false}},
        {"text of the second", 1, 60, {true, false, false}},
        {"tick box of the second", 1, 6, {true, true, false}},
        {"text of the first", 0, 100, {false, true, false}},
    };
    for (const Click& click : clicks) {
        SCOPED_TRACE(click.what);
        const RECT rect = ItemRect(click.item);
        MouseClick(list.Handle(), {rect.left + click.x, (rect.top + rect.bottom) / 2});
        EXPECT_EQ(Marks(), click.after);
        EXPECT_EQ(NativeMarks(), click.after);
    }
    // Below the last item of a column: no item, nothing toggles.
    const RECT last = ItemRect(2);
    MouseClick(list.Handle(), {last.left + 20, last.bottom + 20});
    EXPECT_EQ(Marks(), (std::vector<bool>{false, true, false}));
}

TEST_F(CheckListBoxTest, SpaceBarTogglesTheItemWithTheCaret) {
    Fill(3);
    Host(list, {10, 10, 605, 113});
    list.SetFocus();
    SendMessageW(list.Handle(), LB_SETCARETINDEX, 2, FALSE);
    SpaceBar(list.Handle());
    EXPECT_EQ(Marks(), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(NativeMarks(), Marks());
    SpaceBar(list.Handle());
    EXPECT_EQ(Marks(), (std::vector<bool>{false, false, false}));
    // A click puts the caret on the item it toggles; the space bar then toggles that one.
    const RECT second = ItemRect(1);
    MouseClick(list.Handle(), {second.left + 60, (second.top + second.bottom) / 2});
    EXPECT_EQ(Marks(), (std::vector<bool>{false, true, false}));
    SpaceBar(list.Handle());
    EXPECT_EQ(Marks(), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(NativeMarks(), Marks());
}

// What the user does to a tick fires OnClickCheck; an accessibility tool's default action is such a
// click (the item selected too); the program's own ticking fires nothing.
TEST_F(CheckListBoxTest, UserTogglesAndTheAccessibleDefaultActionFireOnClickCheck) {
    Fill(3);
    Host(list, {10, 10, 605, 113});
    int fired = 0;
    list.OnClickCheck = [&](Control& sender) {
        EXPECT_EQ(&sender, &list);
        ++fired;
    };
    list.SetChecked(0, true);
    EXPECT_EQ(fired, 0) << "the program's own ticking";

    const RECT second = ItemRect(1);
    MouseClick(list.Handle(), {second.left + 6, (second.top + second.bottom) / 2});
    EXPECT_EQ(fired, 1) << "a click";
    SpaceBar(list.Handle());
    EXPECT_EQ(fired, 2) << "the space bar";
    EXPECT_EQ(Marks(), (std::vector<bool>{true, false, false}));

    IAccessible* object = nullptr;
    const LRESULT reference = SendMessageW(list.Handle(), WM_GETOBJECT, 0, OBJID_CLIENT);
    ASSERT_GT(reference, 0);
    ASSERT_EQ(ObjectFromLresult(reference, __uuidof(IAccessible), 0, reinterpret_cast<void**>(&object)),
              S_OK);
    VARIANT third;
    VariantInit(&third);
    third.vt = VT_I4;
    third.lVal = 3;
    EXPECT_EQ(object->accDoDefaultAction(third), S_OK);
    EXPECT_EQ(fired, 3) << "the default action";
    EXPECT_EQ(Marks(), (std::vector<bool>{true, false, true}));
    EXPECT_EQ(NativeMarks(), Marks());
    EXPECT_EQ(SendMessageW(list.Handle(), LB_GETCURSEL, 0, 0), 2) << "selected as a click selects";

    object->Release();
}

// A screen reader may keep the object after the list has gone: it then answers as disconnected.
TEST_F(CheckListBoxTest, AccessibleObjectOutlivesItsList) {
    auto shortLived = std::make_unique<CheckListBox>();
    shortLived->Add(L"Zentor7");
    Host(*shortLived, {10, 10, 300, 100});
    IAccessible* object = nullptr;
    const LRESULT reference = SendMessageW(shortLived->Handle(), WM_GETOBJECT, 0, OBJID_CLIENT);
    ASSERT_EQ(ObjectFromLresult(reference, __uuidof(IAccessible), 0, reinterpret_cast<void**>(&object)),
              S_OK);
    long count = 0;
    EXPECT_EQ(object->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 1);
    shortLived.reset();
    EXPECT_EQ(object->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
    object->Release();
}

} // namespace
} // namespace zt::ui::test
