#pragma once
// What accessibility tools see of a check-list box: a list whose children are check buttons, one per
// item in list order, named with the item's text and checked as its tick mark is. What the list does
// not decide itself (its parent, keyboard shortcut) comes from the system's own object of the window.
#include <oleacc.h>
#include <windows.h>

namespace zt::ui {

class CheckListBox;

class CheckListAccessible final : public IAccessible {
public:
    // A new object with one reference, which the caller owns.
    static CheckListAccessible* Create(CheckListBox& list);
    CheckListAccessible(const CheckListAccessible&) = delete;
    CheckListAccessible& operator=(const CheckListAccessible&) = delete;

    // The list is going away: from now on every call fails as disconnected.
    void Detach();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch: no type information; clients call the interface directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override;

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

private:
    // `system` is the system's client object of the list's window; may be null.
    CheckListAccessible(CheckListBox& list, IAccessible* system);
    ~CheckListAccessible();

    // The item a child id names: kSelf for the list itself, 0.. for its items, kNoItem for none.
    long ItemOf(const VARIANT& child) const;
    // S_OK with the item that `child` names; CO_E_OBJNOTCONNECTED once the list is gone,
    // E_INVALIDARG for a child id that names nothing.
    HRESULT Resolve(const VARIANT& child, long& item) const;
    // The answer for a text that neither the list nor its items have.
    HRESULT NoText(const VARIANT& child, BSTR* text) const;
    HWND Window() const;
    bool ItemSelected(long item) const;
    bool ItemFocused(long item) const;
    bool ItemShown(long item) const;
    bool GetItemScreenRect(long item, RECT& rect) const;

    LONG references_ = 1;
    CheckListBox* list_;
    IAccessible* system_;
};

} // namespace zt::ui
