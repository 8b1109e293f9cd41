#include "ui/Control.h"

#include "runtime/Exceptions.h"
#include "ui/Application.h"
#include "ui/Form.h"

#include <algorithm>

namespace zt::ui {
namespace {

constexpr const wchar_t* kControlProperty = L"ZtControl";
const Scaler kDefaultScaler{};

} // namespace

Control::~Control() {
    DestroyHandle();
    for (Control* child : children_)
        child->parent_ = nullptr;
    if (parent_ != nullptr)
        std::erase(parent_->children_, this);
}

void Control::SetParent(Control* parent) {
    if (parent_ == parent)
        return;
    if (parent_ != nullptr)
        std::erase(parent_->children_, this);
    parent_ = parent;
    if (parent_ != nullptr) {
        parent_->children_.push_back(this);
        parent_->ChildChanged();
    }
}

Form* Control::OwnerForm() {
    Control* c = this;
    while (c->parent_ != nullptr)
        c = c->parent_;
    return dynamic_cast<Form*>(c);
}

const Scaler& Control::Scale() const {
    const Control* c = this;
    while (c->parent_ != nullptr)
        c = c->parent_;
    const auto* form = dynamic_cast<const Form*>(c);
    return form != nullptr ? form->GetScaler() : kDefaultScaler;
}

void Control::SetBounds(const Bounds& bounds) {
    const bool resized = bounds.width != bounds_.width || bounds.height != bounds_.height;
    bounds_ = bounds;
    if (hwnd_ != nullptr && parent_ != nullptr)
        SetWindowPos(hwnd_, nullptr, bounds.left, bounds.top, bounds.width, bounds.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    if (resized)
        Realign();
    if (parent_ != nullptr && align_ != Align::None && !parent_->realigning_)
        parent_->Realign();
}

void Control::SetHeight(int height) {
    SetBounds({bounds_.left, bounds_.top, bounds_.width, height});
}

void Control::SetAlign(Align align) {
    align_ = align;
    if (parent_ != nullptr)
        parent_->Realign();
}

void Control::SetText(std::wstring text) {
    text_ = std::move(text);
    if (hwnd_ != nullptr)
        SetWindowTextW(hwnd_, text_.c_str());
    TextChanged();
}

void Control::TextFromWindow() {
    if (hwnd_ == nullptr)
        return;
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd_)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size()))));
    text_ = std::move(text);
    TextChanged();
}

void Control::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (hwnd_ != nullptr)
        EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

void Control::SetVisible(bool visible) {
    if (visible_ == visible)
        return;
    visible_ = visible;
    if (hwnd_ != nullptr && parent_ != nullptr)
        ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
    if (parent_ != nullptr && align_ != Align::None)
        parent_->Realign();
}

void Control::SetFont(const FontSpec& description) {
    ownFont_ = std::make_unique<Font>(description, Scale().dpi);
    ApplyFont();
}

const Font* Control::GetFont() const {
    if (ownFont_)
        return ownFont_.get();
    return parent_ != nullptr ? parent_->GetFont() : nullptr;
}

HWND Control::Handle() {
    if (hwnd_ == nullptr)
        CreateNativeWindow();
    return hwnd_;
}

void Control::DestroyHandle() {
    if (hwnd_ != nullptr)
        DestroyWindow(hwnd_);
}

void Control::SetFocus() {
    ::SetFocus(Handle());
}

bool Control::Focused() const {
    return hwnd_ != nullptr && GetFocus() == hwnd_;
}

bool Control::CanFocus() const {
    for (const Control* c = this; c != nullptr; c = c->parent_)
        if (!c->enabled_ || !c->visible_)
            return false;
    return true;
}

void Control::Repaint() {
    if (hwnd_ != nullptr)
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void Control::Click() {
    if (OnClick)
        OnClick(*this);
}

Control* Control::FromHandle(HWND hwnd) {
    if (hwnd == nullptr)
        return nullptr;
    // Reading a window's own data costs nothing; a property lookup is a round trip to the window
    // server under Wine. The property stays the answer for a window whose procedure is no longer ours.
    if (const LONG_PTR procedure = GetWindowLongPtrW(hwnd, GWLP_WNDPROC);
        procedure == reinterpret_cast<LONG_PTR>(&SubclassProc) ||
        procedure == reinterpret_cast<LONG_PTR>(&OwnClassProc))
        return reinterpret_cast<Control*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return static_cast<Control*>(GetPropW(hwnd, kControlProperty));
}

HBRUSH Control::CtlColor(HDC dc) {
    const Font* font = GetFont();
    SetTextColor(dc, font != nullptr ? font->TextColor() : GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
}

RECT Control::AlignRect() {
    return {0, 0, bounds_.width, bounds_.height};
}

void Control::Realign() {
    if (realigning_ || children_.empty())
        return;
    realigning_ = true;
    RECT room = AlignRect();
    auto place = [&](Align which) {
        std::vector<Control*> docked;
        for (Control* child : children_)
            if (child->align_ == which && child->visible_)
                docked.push_back(child);
        std::stable_sort(docked.begin(), docked.end(), [which](const Control* a, const Control* b) {
            switch (which) {
            case Align::Bottom:
                return a->bounds_.top > b->bounds_.top;
            case Align::Left:
                return a->bounds_.left < b->bounds_.left;
            case Align::Right:
                return a->bounds_.left > b->bounds_.left;
            default:
                return a->bounds_.top < b->bounds_.top;
            }
        });
        for (Control* child : docked) {
            const Bounds& b = child->bounds_;
            const int width = room.right - room.left;
            const int height = room.bottom - room.top;
            switch (which) {
            case Align::Top:
                child->SetBounds({room.left, room.top, width, b.height});
                room.top += b.height;
                break;
            case Align::Bottom:
                child->SetBounds({room.left, room.bottom - b.height, width, b.height});
                room.bottom -= b.height;
                break;
            case Align::Left:
                child->SetBounds({room.left, room.top, b.width, height});
                room.left += b.width;
                break;
            case Align::Right:
                child->SetBounds({room.right - b.width, room.top, b.width, height});
                room.right -= b.width;
                break;
            case Align::Client:
                child->SetBounds({room.left, room.top, width, height});
                break;
            case Align::None:
                break;
            }
        }
    };
    for (Align which : {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client})
        place(which);
    realigning_ = false;
}

void Control::ChildChanged() {
    Realign();
}

LRESULT Control::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return nativeProc_ != nullptr ? CallWindowProcW(nativeProc_, hwnd_, message, wParam, lParam)
                                  : DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT Control::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (Control* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
            child->Command(HIWORD(wParam));
            return 0;
        }
        break;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        LRESULT result = 0;
        if (Control* child = FromHandle(header->hwndFrom); child != nullptr && child->Notify(*header, result))
            return result;
        break;
    }
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (Control* child = FromHandle(item->hwndItem); child != nullptr && child->DrawItem(*item))
            return TRUE;
        break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (Control* child = FromHandle(reinterpret_cast<HWND>(lParam)))
            if (HBRUSH brush = child->CtlColor(reinterpret_cast<HDC>(wParam)))
                return reinterpret_cast<LRESULT>(brush);
        break;
    default:
        break;
    }
    return DefaultProc(message, wParam, lParam);
}

// The object is found from its window through the window's user data: a property lookup on every
// message would be a round trip to the window server under Wine. The property stays for FromHandle,
// which must tell our windows from any other.
bool Control::Bind(HWND hwnd) {
    if (!SetPropW(hwnd, kControlProperty, this))
        return false;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    hwnd_ = hwnd;
    return true;
}

void Control::Unbind() {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    RemovePropW(hwnd_, kControlProperty);
    hwnd_ = nullptr;
    nativeProc_ = nullptr;
}

LRESULT CALLBACK Control::OwnClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Control*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr && message == WM_NCCREATE) {
        self = static_cast<Control*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (self != nullptr && !self->Bind(hwnd))
            return FALSE; // the window is not created, and CreateWindowExW reports it
    }
    if (self == nullptr) // before WM_NCCREATE (WM_GETMINMAXINFO of a top-level window)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        self->Unbind();
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return self->Dispatch(message, wParam, lParam);
}

// A window of a system class is subclassed through its own procedure pointer rather than the common
// controls' subclass chain, whose every message costs property lookups.
LRESULT CALLBACK Control::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Control*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) // a bind undone after a failed creation
        return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        const WNDPROC nativeProc = self->nativeProc_;
        // Only our own link leaves the chain: a subclass installed above ours keeps its place.
        if (GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&SubclassProc))
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(nativeProc));
        self->Unbind();
        return CallWindowProcW(nativeProc, hwnd, message, wParam, lParam);
    }
    return self->Dispatch(message, wParam, lParam);
}

bool Control::Subclass() {
    SetLastError(ERROR_SUCCESS);
    const LONG_PTR previous =
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc));
    nativeProc_ = reinterpret_cast<WNDPROC>(previous);
    return previous != 0;
}

LRESULT Control::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    Application::Instance().Guard(this, [&] { result = WndProc(message, wParam, lParam); });
    return result;
}

void Control::CreateNativeWindow() {
    if (parent_ != nullptr && !parent_->HandleAllocated()) {
        parent_->Handle(); // creates its children, this one among them
        if (hwnd_ != nullptr)
            return;
    }
    const CreateParams params = GetCreateParams();
    DWORD style = params.style;
    DWORD exStyle = params.exStyle;
    HWND parentWindow = nullptr;
    if (parent_ != nullptr) {
        parentWindow = parent_->Handle();
        style |= WS_CHILD | WS_CLIPSIBLINGS;
        if (visible_)
            style |= WS_VISIBLE;
        if (tabOrder_ >= 0)
            style |= WS_TABSTOP;
    } else if (Form* form = dynamic_cast<Form*>(this); form != nullptr) {
        parentWindow = form->OwnerWindow();
    }
    if (!enabled_)
        style |= WS_DISABLED;
    if (IsContainer())
        exStyle |= WS_EX_CONTROLPARENT;
    // A window of our own classes binds this object at WM_NCCREATE, from the creation parameters.
    const HWND created = CreateWindowExW(exStyle, params.className, text_.c_str(), style, bounds_.left,
                                         bounds_.top, bounds_.width, bounds_.height, parentWindow, nullptr,
                                         GetModuleHandleW(nullptr), this);
    if (created == nullptr)
        RaiseLastOSError();
    if (hwnd_ == nullptr && !(Bind(created) && Subclass())) {
        // A system class: its creation messages are gone; the object sees the rest through a subclass.
        // A window that the object cannot hear would be a dead control: it goes, and the failure
        // is raised.
        const DWORD error = GetLastError();
        if (hwnd_ != nullptr)
            Unbind();
        DestroyWindow(created);
        throw EOSError(error != ERROR_SUCCESS ? error : ERROR_INVALID_WINDOW_HANDLE);
    }
    ApplyFont();
    HandleCreated();
    CreateChildHandles();
}

void Control::CreateChildHandles() {
    std::vector<Control*> ordered = children_;
    std::stable_sort(ordered.begin(), ordered.end(), [](const Control* a, const Control* b) {
        const int ka = a->tabOrder_ < 0 ? INT_MAX : a->tabOrder_;
        const int kb = b->tabOrder_ < 0 ? INT_MAX : b->tabOrder_;
        return ka < kb;
    });
    for (Control* child : ordered) {
        if (child->hwnd_ == nullptr)
            child->CreateNativeWindow();
        SetWindowPos(child->hwnd_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void Control::ApplyFont() {
    if (hwnd_ == nullptr)
        return;
    if (const Font* font = GetFont())
        SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font->Handle()), FALSE);
    for (Control* child : children_)
        if (!child->ownFont_)
            child->ApplyFont();
}

} // namespace zt::ui
