#pragma once
// A control is a C++ object that owns its state and mirrors it to a native window once one exists.
// Native notifications reach program code only through the application's guard.
#include "ui/Font.h"
#include "ui/Geometry.h"

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>
#include <windows.h>

namespace zt::ui {

class Form;
struct LayoutRow;

class Control {
public:
    Control() = default;
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // The kind's name, as layouts name it ("panel", "label", ...).
    virtual const wchar_t* Kind() const = 0;

    void SetParent(Control* parent);
    Control* Parent() const { return parent_; }
    const std::vector<Control*>& Children() const { return children_; }
    Form* OwnerForm();

    // Bounds in device pixels, relative to the parent's client area.
    void SetBounds(const Bounds& bounds);
    const Bounds& GetBounds() const { return bounds_; }
    void SetHeight(int height);
    void SetAlign(Align align);
    Align GetAlign() const { return align_; }

    void SetText(std::wstring text);
    const std::wstring& Text() const { return text_; }

    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }
    void SetVisible(bool visible);
    bool Visible() const { return visible_; }

    // Position in the parent's tab order; -1 for controls that take no focus.
    void SetTabOrder(int order) { tabOrder_ = order; }
    int TabOrder() const { return tabOrder_; }

    // A font of the control's own; without one it uses its parent's.
    void SetFont(const FontSpec& description);
    const Font* GetFont() const;

    HWND Handle();
    bool HandleAllocated() const { return hwnd_ != nullptr; }
    void DestroyHandle();

    void SetFocus();
    bool Focused() const;
    bool CanFocus() const;

    // Paints the control now, without waiting for the message loop.
    void Repaint();

    std::function<void(Control& sender)> OnClick;

    // Reads the properties of a layout row that only this kind has.
    virtual void Configure(const LayoutRow& /*row*/) {}

    // The control object of a native window of ours, or nullptr.
    static Control* FromHandle(HWND hwnd);

    // The window procedure of the program's own window classes (ui/WindowClass.h): the object named
    // by the creation parameters is bound at WM_NCCREATE, so it sees every message from then on.
    static LRESULT CALLBACK OwnClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    struct CreateParams {
        const wchar_t* className = nullptr;
        DWORD style = 0;
        DWORD exStyle = 0;
    };
    virtual CreateParams GetCreateParams() const = 0;
    // Pushes the object's state to a freshly created native window.
    virtual void HandleCreated() {}
    // Called after every change of the text.
    virtual void TextChanged() {}
    // Takes over a text that the native window already shows (typed by the user).
    void TextFromWindow();

    // Messages of the control's own native window; the default passes them on.
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Notifications that the parent's window receives about this control.
    virtual void Command(WORD /*notifyCode*/) {}
    virtual bool Notify(NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
    virtual bool DrawItem(DRAWITEMSTRUCT& /*item*/) { return false; }
    virtual HBRUSH CtlColor(HDC dc);

    // The part of the client area that docked children share.
    virtual RECT AlignRect();
    void Realign();
    void Click();

    virtual bool IsContainer() const { return false; }
    const Scaler& Scale() const;

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    bool Bind(HWND hwnd);
    // Puts SubclassProc in front of a system class's procedure; false when the window refuses.
    bool Subclass();
    void Unbind();
    void CreateNativeWindow();
    void CreateChildHandles();
    void ApplyFont();
    void ChildChanged();

    Control* parent_ = nullptr;
    std::vector<Control*> children_;
    Bounds bounds_;
    Align align_ = Align::None;
    std::wstring text_;
    bool enabled_ = true;
    bool visible_ = true;
    int tabOrder_ = -1;
    std::unique_ptr<Font> ownFont_;
    HWND hwnd_ = nullptr;
    // A window of a system class: its class's own procedure, which ours passes messages on to.
    WNDPROC nativeProc_ = nullptr;
    bool realigning_ = false;
};

} // namespace zt::ui
