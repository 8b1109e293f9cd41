// The alias list as an accessibility tool reads it from another process: a list of check buttons
// named with the aliases, whose checked states follow the ticks, and whose default action ticks as a
// click does.
#include "Input.h"
#include "MainWindow.h"
#include "Workstation.h"

#include <gtest/gtest.h>
#include <oleacc.h>
#include <string>
#include <vector>
#include <windows.h>

namespace zt::e2e {
namespace {

// COM for this thread, and the accessible objects it hands out released before it goes.
class ComScope {
public:
    ComScope() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~ComScope() { CoUninitialize(); }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
};

class AccessibleRef {
public:
    explicit AccessibleRef(IAccessible* object) : object_(object) {}
    ~AccessibleRef() {
        if (object_ != nullptr)
            object_->Release();
    }
    AccessibleRef(const AccessibleRef&) = delete;
    AccessibleRef& operator=(const AccessibleRef&) = delete;
    IAccessible* operator->() const { return object_; }
    IAccessible* get() const { return object_; }

private:
    IAccessible* object_;
};

AccessibleRef ObjectOf(HWND hwnd, LONG which) {
    IAccessible* object = nullptr;
    // The interface's identifier from the header's declaration, not the import library's.
    const HRESULT hr = AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(which), __uuidof(IAccessible),
                                                  reinterpret_cast<void**>(&object));
    EXPECT_EQ(hr, S_OK) << std::hex << hr;
    return AccessibleRef(SUCCEEDED(hr) ? object : nullptr);
}

VARIANT Child(long id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

long Role(IAccessible* object, long id) {
    VARIANT role;
    VariantInit(&role);
    EXPECT_EQ(object->get_accRole(Child(id), &role), S_OK);
    return role.vt == VT_I4 ? role.lVal : -1;
}

long State(IAccessible* object, long id) {
    VARIANT state;
    VariantInit(&state);
    EXPECT_EQ(object->get_accState(Child(id), &state), S_OK);
    return state.vt == VT_I4 ? state.lVal : 0;
}

std::wstring TakeText(BSTR text) {
    std::wstring out = text != nullptr ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    return out;
}

std::wstring Name(IAccessible* object, long id) {
    BSTR name = nullptr;
    object->get_accName(Child(id), &name);
    return TakeText(name);
}

std::wstring DefaultAction(IAccessible* object, long id) {
    BSTR action = nullptr;
    object->get_accDefaultAction(Child(id), &action);
    return TakeText(action);
}

// Each child's checked state against the list's own tick mark, and its focus and selection against
// what the list shows.
void ExpectChildrenFollowTheList(IAccessible* object, HWND top, HWND list) {
    const std::vector<ListItem> items = ListBoxItems(list);
    long count = -1;
    ASSERT_EQ(object->get_accChildCount(&count), S_OK);
    ASSERT_EQ(count, static_cast<long>(items.size()));
    const LRESULT selected = SendMessageW(list, LB_GETCURSEL, 0, 0);
    const LRESULT caret = SendMessageW(list, LB_GETCARETINDEX, 0, 0);
    const bool listFocused = FocusedWindow(top) == list;
    for (long i = 0; i < count; ++i) {
        SCOPED_TRACE(i);
        const long state = State(object, i + 1);
        EXPECT_EQ(Name(object, i + 1), items[static_cast<std::size_t>(i)].text);
        EXPECT_EQ(Role(object, i + 1), ROLE_SYSTEM_CHECKBUTTON);
        EXPECT_EQ((state & STATE_SYSTEM_CHECKED) != 0, items[static_cast<std::size_t>(i)].data == 1);
        EXPECT_EQ((state & STATE_SYSTEM_SELECTED) != 0, selected == i);
        EXPECT_EQ((state & STATE_SYSTEM_FOCUSED) != 0, listFocused && caret == i);
    }
}

bool Checked(IAccessible* object, long id) {
    return (State(object, id) & STATE_SYSTEM_CHECKED) != 0;
}

TEST(AliasListAccessibility, ReadsAsNamedCheckButtonsThatFollowClicksAndTheDefaultAction) {
    Workstation station(Alias("NOMINA", "MSSQL", {"SERVER NAME=S1"}) + Alias("ARCHIVO", "STANDARD", {}) +
                        Alias("Contable Año", "MSSQL", {"SERVER NAME=S2"}) +
                        Alias("Zentor7", "MSSQL", {"SERVER NAME=S3"}));
    RunningApp app(station.Exe(), station.Folder());
    const HWND top = app.Window();
    const HWND list = AliasList(top);
    ASSERT_NE(list, nullptr);
    const ComScope com;
    {
        const AccessibleRef object = ObjectOf(list, OBJID_CLIENT);
        ASSERT_NE(object.get(), nullptr);
        EXPECT_EQ(Role(object.get(), CHILDID_SELF), ROLE_SYSTEM_LIST);
        EXPECT_EQ(Name(object.get(), CHILDID_SELF), L"Alias Importados") << "named by its group";
        ASSERT_EQ(ListBoxItems(list).size(), 3u);
        EXPECT_EQ(Name(object.get(), 2), L"Contable Año");
        ExpectChildrenFollowTheList(object.get(), top, list);
        for (long id = 1; id <= 3; ++id)
            EXPECT_TRUE(Checked(object.get(), id)) << id;

        // A click on the second item's tick: unchecked, and the item selected.
        RECT item{};
        SendMessageW(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
        MouseClick(list, POINT{item.left + 6, (item.top + item.bottom) / 2});
        WaitFor([&] { return !Checked(object.get(), 2); }, "the clicked item to read as unchecked");
        EXPECT_EQ(ListBoxItems(list)[1].data, 0);
        ExpectChildrenFollowTheList(object.get(), top, list);

        // The default action on the third item unticks it as a click does, selecting it.
        EXPECT_EQ(DefaultAction(object.get(), 3), L"Desmarcar");
        EXPECT_EQ(DefaultAction(object.get(), 2), L"Marcar");
        EXPECT_EQ(object->accDoDefaultAction(Child(3)), S_OK);
        EXPECT_EQ(ListBoxItems(list)[2].data, 0) << "the tick mark itself changed";
        EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 2);
        EXPECT_FALSE(Checked(object.get(), 3));
        EXPECT_EQ(DefaultAction(object.get(), 3), L"Marcar");
        ExpectChildrenFollowTheList(object.get(), top, list);
        // ... and back.
        EXPECT_EQ(object->accDoDefaultAction(Child(3)), S_OK);
        EXPECT_TRUE(Checked(object.get(), 3));
        EXPECT_EQ(ListBoxItems(list)[2].data, 1);

        EXPECT_EQ(object->accDoDefaultAction(Child(4)), E_INVALIDARG) << "no fourth item";
        long left = 0, topEdge = 0, width = 0, height = 0;
        ASSERT_EQ(object->accLocation(&left, &topEdge, &width, &height, Child(1)), S_OK);
        VARIANT hit;
        VariantInit(&hit);
        ASSERT_EQ(object->accHitTest(left + width / 2, topEdge + height / 2, &hit), S_OK);
        EXPECT_EQ(hit.vt, VT_I4);
        EXPECT_EQ(hit.lVal, 1) << "the first item is where its location says";

        // The window around the list stays the system's: not a list of ours.
        const AccessibleRef window = ObjectOf(list, OBJID_WINDOW);
        ASSERT_NE(window.get(), nullptr);
        VARIANT role;
        VariantInit(&role);
        const HRESULT hr = window->get_accRole(Child(CHILDID_SELF), &role);
        EXPECT_TRUE(FAILED(hr) || (role.vt == VT_I4 && role.lVal == ROLE_SYSTEM_WINDOW)) << std::hex << hr;
    }
    EXPECT_EQ(app.Close(), 0u);
}

} // namespace
} // namespace zt::e2e
