// The program's own window classes hand their control object every message from WM_NCCREATE on.
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/GroupBox.h"
#include "ui/Label.h"
#include "ui/Layout.h"
#include "ui/Panel.h"
#include "ui/RadioGroup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace zt::ui::test {
namespace {

struct Seen {
    UINT message;
    bool bound; // the object already knew its window
    LPARAM lParam;
};

// A control of any kind that notes each message its window procedure receives.
template <class Base> class Recording : public Base {
public:
    using Base::Base;
    std::vector<Seen> seen;

    std::size_t Position(UINT message) const {
        const auto found =
            std::find_if(seen.begin(), seen.end(), [&](const Seen& s) { return s.message == message; });
        return static_cast<std::size_t>(found - seen.begin());
    }
    bool Saw(UINT message) const { return Position(message) < seen.size(); }

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        seen.push_back({message, this->HandleAllocated(), lParam});
        return Base::WndProc(message, wParam, lParam);
    }
};

class OwnClassTest : public ::testing::Test {
protected:
    Application application;
    Recording<Form> form{FormStyle{L"ZtOwnClassHost"}};
};

TEST_F(OwnClassTest, FormAndChildSeeCreationFromWmNcCreateBeforeTheHandleIsReturned) {
    Recording<Panel> panel;
    panel.SetParent(&form);
    panel.SetBounds({10, 20, 120, 40});
    form.Handle();

    ASSERT_FALSE(panel.seen.empty());
    EXPECT_EQ(panel.seen.front().message, static_cast<UINT>(WM_NCCREATE));
    EXPECT_TRUE(panel.seen.front().bound) << "the window was not bound before its first message";
    ASSERT_TRUE(panel.Saw(WM_CREATE));
    ASSERT_TRUE(panel.Saw(WM_SIZE));
    EXPECT_LT(panel.Position(WM_CREATE), panel.Position(WM_SIZE));
    const LPARAM size = panel.seen[panel.Position(WM_SIZE)].lParam;
    EXPECT_EQ(LOWORD(size), 120);
    EXPECT_EQ(HIWORD(size), 40);
    ASSERT_FALSE(form.seen.empty());
    // A top-level window may be asked its size limits first; its object sees all from WM_NCCREATE.
    EXPECT_TRUE(form.Saw(WM_NCCREATE));
    EXPECT_TRUE(form.Saw(WM_CREATE));
    EXPECT_LT(form.Position(WM_NCCREATE), form.Position(WM_CREATE));
    EXPECT_TRUE(std::all_of(form.seen.begin(), form.seen.end(), [](const Seen& s) { return s.bound; }));
    EXPECT_EQ(Control::FromHandle(panel.Handle()), &panel);
    EXPECT_EQ(Control::FromHandle(form.Handle()), &form);
}

TEST_F(OwnClassTest, ADestroyedWindowIsUnboundAndANewOneIsBoundAgain) {
    Recording<Panel> panel;
    panel.SetParent(&form);
    panel.SetBounds({0, 0, 50, 50});
    const HWND first = panel.Handle();
    ASSERT_TRUE(panel.Saw(WM_CREATE));
    panel.DestroyHandle();
    EXPECT_TRUE(panel.Saw(WM_DESTROY));
    EXPECT_FALSE(panel.HandleAllocated());
    EXPECT_FALSE(IsWindow(first));

    panel.seen.clear();
    const HWND second = panel.Handle();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(Control::FromHandle(second), &panel);
    ASSERT_FALSE(panel.seen.empty());
    EXPECT_EQ(panel.seen.front().message, static_cast<UINT>(WM_NCCREATE));
}

TEST_F(OwnClassTest, SystemClassesAreStillReachedThroughTheirSubclass) {
    Label label;
    label.SetParent(&form);
    label.SetBounds({0, 0, 80, 13});
    label.SetText(L"Servidor");
    EXPECT_EQ(Control::FromHandle(label.Handle()), &label);
    label.SetText(L"Base de Datos");
    wchar_t text[32] = {};
    GetWindowTextW(label.Handle(), text, 32);
    EXPECT_STREQ(text, L"Base de Datos");
}

// Another part of the program subclasses a control's window above ours and, when the window goes,
// looks at the window's procedure once ours has handled WM_NCDESTROY.
struct OuterSubclass {
    static inline WNDPROC below = nullptr;
    static inline LONG_PTR procedureAfterOurs = 0;
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        const LRESULT result = CallWindowProcW(below, hwnd, message, wParam, lParam);
        if (message == WM_NCDESTROY)
            procedureAfterOurs = GetWindowLongPtrW(hwnd, GWLP_WNDPROC);
        return result;
    }
};

TEST_F(OwnClassTest, ASubclassAboveOursKeepsItsPlaceWhenTheWindowGoes) {
    Label label;
    label.SetParent(&form);
    label.SetBounds({0, 0, 80, 13});
    const HWND window = label.Handle();
    OuterSubclass::below = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OuterSubclass::Proc)));
    ASSERT_NE(OuterSubclass::below, nullptr);
    EXPECT_EQ(Control::FromHandle(window), &label);

    label.DestroyHandle();
    EXPECT_FALSE(label.HandleAllocated());
    EXPECT_EQ(OuterSubclass::procedureAfterOurs, reinterpret_cast<LONG_PTR>(&OuterSubclass::Proc))
        << "ours put the class's procedure back over the subclass above it";
}

// Without the creation messages a disabled group's items were enabled, and items laid out before
// the group's final size kept their old places.
TEST_F(OwnClassTest, ARadioGroupCreatedDisabledHasDisabledItemsLaidOutInItsFinalSize) {
    RadioGroup group;
    LayoutRow row{};
    row.columns = 3;
    row.items = L"&SQL Server\n&ORACLE\n&PostgreSQL";
    group.SetParent(&form);
    group.SetBounds({0, 0, 200, 61});
    group.Configure(row);
    group.SetEnabled(false);
    group.SetBounds({0, 0, 424, 61}); // docking widens it before any window exists
    form.Handle();

    std::vector<HWND> items;
    for (HWND child = GetWindow(group.Handle(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        items.push_back(child);
    ASSERT_EQ(items.size(), 3u);
    RECT last{};
    for (const HWND item : items) {
        EXPECT_FALSE(IsWindowEnabled(item));
        RECT r{};
        GetWindowRect(item, &r);
        MapWindowPoints(nullptr, group.Handle(), reinterpret_cast<POINT*>(&r), 2);
        last = r.left > last.left ? r : last;
    }
    // Three columns across the final width: the last starts beyond two thirds of the old 200 pixels.
    EXPECT_GT(last.left, 200);
}

} // namespace
} // namespace zt::ui::test
