#include "ui/CheckListAccessible.h"

#include "ui/Application.h"
#include "ui/CheckListBox.h"

#include <string>

namespace zt::ui {
namespace {

constexpr long kSelf = -1;
constexpr long kNoItem = -2;

HRESULT ToBstr(const std::wstring& text, BSTR* out) {
    *out = SysAllocStringLen(text.c_str(), static_cast<UINT>(text.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

void SetLong(VARIANT* out, long value) {
    out->vt = VT_I4;
    out->lVal = value;
}

std::wstring Trimmed(const std::wstring& text) {
    const std::size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos)
        return {};
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

} // namespace

CheckListAccessible* CheckListAccessible::Create(CheckListBox& list) {
    IAccessible* system = nullptr;
    if (FAILED(CreateStdAccessibleObject(list.Handle(), OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&system))))
        system = nullptr;
    auto* created = new CheckListAccessible(list, system); // owned through its reference count
    if (system != nullptr)
        system->Release();
    return created;
}

CheckListAccessible::CheckListAccessible(CheckListBox& list, IAccessible* system)
    : list_(&list), system_(system) {
    if (system_ != nullptr)
        system_->AddRef();
}

CheckListAccessible::~CheckListAccessible() {
    if (system_ != nullptr)
        system_->Release();
}

void CheckListAccessible::Detach() {
    list_ = nullptr;
    if (system_ != nullptr) {
        system_->Release();
        system_ = nullptr;
    }
}

HRESULT CheckListAccessible::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr)
        return E_POINTER;
    if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) || riid == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG CheckListAccessible::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG CheckListAccessible::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0)
        delete this; // the lifetime of a COM object ends with its last reference
    return static_cast<ULONG>(left);
}

HRESULT CheckListAccessible::GetTypeInfoCount(UINT* count) {
    if (count == nullptr)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT CheckListAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info != nullptr)
        *info = nullptr;
    return E_NOTIMPL;
}

HRESULT CheckListAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT CheckListAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    return E_NOTIMPL;
}

HWND CheckListAccessible::Window() const {
    return list_ != nullptr && list_->HandleAllocated() ? list_->Handle() : nullptr;
}

long CheckListAccessible::ItemOf(const VARIANT& child) const {
    if (child.vt != VT_I4 || list_ == nullptr)
        return kNoItem;
    if (child.lVal == CHILDID_SELF)
        return kSelf;
    if (child.lVal < 1 || static_cast<std::size_t>(child.lVal) > list_->Count())
        return kNoItem;
    return child.lVal - 1;
}

HRESULT CheckListAccessible::Resolve(const VARIANT& child, long& item) const {
    if (list_ == nullptr)
        return CO_E_OBJNOTCONNECTED;
    item = ItemOf(child);
    return item == kNoItem ? E_INVALIDARG : S_OK;
}

HRESULT CheckListAccessible::NoText(const VARIANT& child, BSTR* text) const {
    if (text == nullptr)
        return E_POINTER;
    *text = nullptr;
    long item = kNoItem;
    const HRESULT hr = Resolve(child, item);
    return FAILED(hr) ? hr : S_FALSE;
}

bool CheckListAccessible::ItemSelected(long item) const {
    HWND hwnd = Window();
    return hwnd != nullptr && SendMessageW(hwnd, LB_GETSEL, static_cast<WPARAM>(item), 0) > 0;
}

bool CheckListAccessible::ItemFocused(long item) const {
    HWND hwnd = Window();
    return hwnd != nullptr && GetFocus() == hwnd && SendMessageW(hwnd, LB_GETCARETINDEX, 0, 0) == item;
}

bool CheckListAccessible::GetItemScreenRect(long item, RECT& rect) const {
    HWND hwnd = Window();
    if (hwnd == nullptr || SendMessageW(hwnd, LB_GETITEMRECT, static_cast<WPARAM>(item),
                                        reinterpret_cast<LPARAM>(&rect)) == LB_ERR)
        return false;
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return true;
}

bool CheckListAccessible::ItemShown(long item) const {
    HWND hwnd = Window();
    RECT itemRect;
    RECT client;
    RECT shown;
    if (hwnd == nullptr || !IsWindowVisible(hwnd) ||
        SendMessageW(hwnd, LB_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&itemRect)) ==
            LB_ERR)
        return false;
    GetClientRect(hwnd, &client);
    return IntersectRect(&shown, &itemRect, &client) != FALSE;
}

HRESULT CheckListAccessible::get_accParent(IDispatch** parent) {
    if (parent == nullptr)
        return E_POINTER;
    *parent = nullptr;
    if (list_ == nullptr)
        return CO_E_OBJNOTCONNECTED;
    return system_ != nullptr ? system_->get_accParent(parent) : S_FALSE;
}

HRESULT CheckListAccessible::get_accChildCount(long* count) {
    if (count == nullptr)
        return E_POINTER;
    if (list_ == nullptr)
        return CO_E_OBJNOTCONNECTED;
    *count = static_cast<long>(list_->Count());
    return S_OK;
}

HRESULT CheckListAccessible::get_accChild(VARIANT child, IDispatch** object) {
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    if (list_ == nullptr)
        return CO_E_OBJNOTCONNECTED;
    // The items are simple elements of this object, not objects of their own.
    return ItemOf(child) >= 0 ? S_FALSE : E_INVALIDARG;
}

HRESULT CheckListAccessible::get_accName(VARIANT child, BSTR* name) {
    if (name == nullptr)
        return E_POINTER;
    *name = nullptr;
    long item = kNoItem;
    if (const HRESULT hr = Resolve(child, item); FAILED(hr))
        return hr;
    if (item >= 0)
        return ToBstr(list_->Item(static_cast<std::size_t>(item)), name);
    // The list itself is named by the caption of the group it sits in.
    const Control* parent = list_->Parent();
    const std::wstring caption = parent != nullptr ? Trimmed(parent->Text()) : std::wstring();
    return caption.empty() ? S_FALSE : ToBstr(caption, name);
}

HRESULT CheckListAccessible::get_accValue(VARIANT child, BSTR* value) {
    if (value == nullptr)
        return E_POINTER;
    *value = nullptr;
    if (list_ == nullptr)
        return CO_E_OBJNOTCONNECTED;
    return ItemOf(child) == kNoItem ? E_INVALIDARG : DISP_E_MEMBERNOTFOUND;
}

HRESULT CheckListAccessible::get_accDescription(VARIANT child, BSTR* description) {
    return NoText(child, description);
}

HRESULT CheckListAccessible::get_accRole(VARIANT child, VARIANT* role) {
    if (role == nullptr)
        return E_POINTER;
    VariantInit(role);
    long item = kNoItem;
    if (const HRESULT hr = Resolve(child, item); FAILED(hr))
        return hr;
    SetLong(role, item == kSelf ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_CHECKBUTTON);
    return S_OK;
}

HRESULT CheckListAccessible::get_accState(VARIANT child, VARIANT* state) {
    if (state == nullptr)
        return E_POINTER;
    VariantInit(state);
    long item = kNoItem;
    if (const HRESULT hr = Resolve(child, item); FAILED(hr))
        return hr;
    HWND hwnd = Window();
    long bits = 0;
    if (hwnd == nullptr || !IsWindowVisible(hwnd))
        bits |= STATE_SYSTEM_INVISIBLE;
    if (hwnd != nullptr && !IsWindowEnabled(hwnd))
        bits |= STATE_SYSTEM_UNAVAILABLE;
    if (item == kSelf) {
        bits |= STATE_SYSTEM_FOCUSABLE;
        if (hwnd != nullptr && GetFocus() == hwnd)
            bits |= STATE_SYSTEM_FOCUSED;
    } else {
        bits |= STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
        if (list_->Checked(static_cast<std::size_t>(item)))
            bits |= STATE_SYSTEM_CHECKED;
        if (ItemSelected(item))
            bits |= STATE_SYSTEM_SELECTED;
        if (ItemFocused(item))
            bits |= STATE_SYSTEM_FOCUSED;
        if (!ItemShown(item))
            bits |= STATE_SYSTEM_OFFSCREEN | STATE_SYSTEM_INVISIBLE;
    }
    SetLong(state, bits);
    return S_OK;
}

HRESULT CheckListAccessible::get_accHelp(VARIANT child, BSTR* help) {
    return NoText(child, help);
}

HRESULT CheckListAccessible::get_accHelpTopic(BSTR* file, VARIANT, long* topic) {
    if (file != nullptr)
        *file = nullptr;
    if (topic != nullptr)
        *topic = -1;
    return list_ == nullptr ? CO_E_OBJNOTCONNECTED : DISP_E_MEMBERNOTFOUND;
}

HRESULT CheckListAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    if (shortcut == nullptr)
        return E_POINTER;
    *shortcut = nullptr;
    long item = kNoItem;
    if (const HRESULT hr = Resolve(child, item); FAILED(hr))
        return hr;
    if (item == kSelf && system_ != nullptr)
        return system_->get_accKeyboardShortcut(child, shortcut);
    return S_FALSE;
}

HRESULT CheckListAccessible::get_accFocus(VARIANT* focus) {
    if (focus == nullptr)
        return E_POINTER;
    VariantInit(focus);
    if (list_ == nullptr)
        return CO_E_OBJNOTCONNECTED;
    HWND hwnd = Window();
    if (hwnd == nullptr || GetFocus() != hwnd)
        return S_FALSE;
    const LRESULT caret = SendMessageW(hwnd, LB_GETCARETINDEX, 0, 0);
    SetLong(focus, caret >= 0 && static_cast<std::size_t>(caret) < list_->Count()
                       ? static_cast<long>(caret) + 1
                       : CHILDID_SELF);
    return S_OK;
}

HRESULT CheckListAccessible::get_accSelection(VARIANT* selection) {
    if (selection == nullptr)
        return E_POINTER;
    VariantInit(selection);
    if (list_ == nullptr)
        return CO_E_OBJNOTCONNECTED;
    HWND hwnd = Window();
    const LRESULT selected = hwnd != nullptr ? SendMessageW(hwnd, LB_GETCURSEL, 0, 0) : LB_ERR;
    if (selected == LB_ERR)
        return S_FALSE;
    SetLong(selection, static_cast<long>(selected) + 1);
    return S_OK;
}

HRESULT CheckListAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    if (action == nullptr)
        return E_POINTER;
    *action = nullptr;
    long item = kNoItem;
    if (const HRESULT hr = Resolve(child, item); FAILED(hr))
        return hr;
    if (item == kSelf)
        return S_FALSE;
    return ToBstr(list_->Checked(static_cast<std::size_t>(item)) ? L"Desmarcar" : L"Marcar", action);
}

HRESULT CheckListAccessible::accSelect(long flags, VARIANT child) {
    if (list_ == nullptr)
        return CO_E_OBJNOTCONNECTED;
    const long item = ItemOf(child);
    HWND hwnd = Window();
    if (item < 0 || hwnd == nullptr)
        return E_INVALIDARG;
    if (flags & (SELFLAG_ADDSELECTION | SELFLAG_REMOVESELECTION | SELFLAG_EXTENDSELECTION))
        return E_INVALIDARG; // one item is selected at a time
    if (flags & SELFLAG_TAKEFOCUS)
        ::SetFocus(hwnd);
    if (flags & SELFLAG_TAKESELECTION)
        SendMessageW(hwnd, LB_SETCURSEL, static_cast<WPARAM>(item), 0);
    return S_OK;
}

HRESULT CheckListAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr)
        return E_POINTER;
    *left = *top = *width = *height = 0;
    long item = kNoItem;
    if (const HRESULT hr = Resolve(child, item); FAILED(hr))
        return hr;
    RECT rect{};
    if (item == kSelf) {
        HWND hwnd = Window();
        if (hwnd == nullptr)
            return S_FALSE;
        GetWindowRect(hwnd, &rect);
    } else if (!GetItemScreenRect(item, rect)) {
        return S_FALSE;
    }
    *left = rect.left;
    *top = rect.top;
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
    return S_OK;
}

HRESULT CheckListAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
    if (end == nullptr)
        return E_POINTER;
    VariantInit(end);
    long item = kNoItem;
    if (const HRESULT hr = Resolve(start, item); FAILED(hr))
        return hr;
    const long count = static_cast<long>(list_->Count());
    long to = kNoItem;
    switch (direction) {
    case NAVDIR_FIRSTCHILD:
        if (item == kSelf && count > 0)
            to = 0;
        break;
    case NAVDIR_LASTCHILD:
        if (item == kSelf && count > 0)
            to = count - 1;
        break;
    case NAVDIR_NEXT:
    case NAVDIR_DOWN:
        if (item >= 0 && item + 1 < count)
            to = item + 1;
        break;
    case NAVDIR_PREVIOUS:
    case NAVDIR_UP:
        if (item > 0)
            to = item - 1;
        break;
    default:
        if (item == kSelf && system_ != nullptr)
            return system_->accNavigate(direction, start, end);
        break;
    }
    if (to == kNoItem)
        return S_FALSE;
    SetLong(end, to + 1);
    return S_OK;
}

HRESULT CheckListAccessible::accHitTest(long x, long y, VARIANT* child) {
    if (child == nullptr)
        return E_POINTER;
    VariantInit(child);
    if (list_ == nullptr)
        return CO_E_OBJNOTCONNECTED;
    HWND hwnd = Window();
    RECT window;
    if (hwnd == nullptr || !GetWindowRect(hwnd, &window) || x < window.left || x >= window.right ||
        y < window.top || y >= window.bottom)
        return S_FALSE;
    POINT point{x, y};
    ScreenToClient(hwnd, &point);
    RECT client;
    GetClientRect(hwnd, &client);
    SetLong(child, CHILDID_SELF);
    if (PtInRect(&client, point)) {
        const LRESULT hit = SendMessageW(hwnd, LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
        if (HIWORD(hit) == 0 && LOWORD(hit) < list_->Count())
            child->lVal = static_cast<long>(LOWORD(hit)) + 1;
    }
    return S_OK;
}

HRESULT CheckListAccessible::accDoDefaultAction(VARIANT child) {
    long item = kNoItem;
    if (const HRESULT hr = Resolve(child, item); FAILED(hr))
        return hr;
    if (item == kSelf)
        return DISP_E_MEMBERNOTFOUND;
    if (!IsWindowEnabled(Window()))
        return E_FAIL;
    // What a click on the item does, errors going where a click's errors go.
    CheckListBox& list = *list_;
    const bool done =
        Application::Instance().Guard(&list, [&] { list.ClickCheck(static_cast<std::size_t>(item)); });
    return done ? S_OK : E_FAIL;
}

HRESULT CheckListAccessible::put_accName(VARIANT, BSTR) {
    return E_NOTIMPL;
}

HRESULT CheckListAccessible::put_accValue(VARIANT, BSTR) {
    return E_NOTIMPL;
}

} // namespace zt::ui
