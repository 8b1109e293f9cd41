#include "ui/Form.h"

#include "ui/Application.h"
#include "ui/GdiHandles.h"
#include "ui/WindowClass.h"

namespace zt::ui {
namespace {

int ScreenDpi() {
    const WindowDc screen(nullptr);
    const int dpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    return dpi > 0 ? dpi : 96;
}

} // namespace

Form::Form(const FormStyle& style) : style_(style), scaler_{ScreenDpi()} { SetFont(FontSpec{}); }

Form::~Form() { DestroyHandle(); }

Control::CreateParams Form::GetCreateParams() const {
    EnsureWindowClass(style_.windowClass, LoadIconW(GetModuleHandleW(nullptr), L"MAINICON"));
    CreateParams params;
    params.className = style_.windowClass.data();
    params.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    if (style_.minimizeBox)
        params.style |= WS_MINIMIZEBOX;
    if (style_.maximizeBox)
        params.style |= WS_MAXIMIZEBOX;
    params.exStyle = owner_ == nullptr ? WS_EX_APPWINDOW : 0;
    return params;
}

void Form::SetClientSize(int width, int height) {
    clientSize_ = {Scale()(width), Scale()(height)};
    const CreateParams params = GetCreateParams();
    RECT outer{0, 0, clientSize_.cx, clientSize_.cy};
    AdjustWindowRectEx(&outer, params.style, FALSE, params.exStyle);
    SetBounds({GetBounds().left, GetBounds().top, outer.right - outer.left, outer.bottom - outer.top});
    if (HandleAllocated())
        SetWindowPos(Handle(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE Form::ClientSize() { return clientSize_; }

int Form::OuterHeight() { return GetBounds().height; }

void Form::SetOuterHeight(int height) {
    const int frame = GetBounds().height - clientSize_.cy;
    clientSize_.cy = height - frame;
    const Bounds b = GetBounds();
    SetBounds({b.left, b.top, b.width, height});
    if (HandleAllocated())
        SetWindowPos(Handle(), nullptr, 0, 0, b.width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT Form::AlignRect() { return {0, 0, clientSize_.cx, clientSize_.cy}; }

void Form::Centre() {
    const Bounds b = GetBounds();
    const int left = (GetSystemMetrics(SM_CXSCREEN) - b.width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - b.height) / 2;
    SetBounds({left, top, b.width, b.height});
    SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    centred_ = true;
}

void Form::Show() {
    HWND hwnd = Handle();
    if (!centred_)
        Centre();
    SetVisible(true);
    ShowWindow(hwnd, SW_SHOW);
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(hwnd);
}

void Form::Hide() {
    SetVisible(false);
    if (HandleAllocated())
        ShowWindow(Handle(), SW_HIDE);
}

void Form::Close() {
    if (HandleAllocated())
        SendMessageW(Handle(), WM_CLOSE, 0, 0);
}

bool Form::Showing() const { return Visible() && HandleAllocated(); }

void Form::DoCreate() {
    // Not a native callback: what the error handler raises here leaves the creation.
    try {
        if (OnCreate)
            OnCreate(*this);
    } catch (...) {
        Application::Instance().HandleException(this, std::current_exception());
    }
}

void Form::FocusFirstControl() {
    if (HWND first = GetNextDlgTabItem(Handle(), nullptr, FALSE))
        ::SetFocus(first);
}

LRESULT Form::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        if (style_.hideOnClose) {
            Hide();
        } else {
            const bool isMain = Application::Instance().MainForm() == this;
            DestroyHandle();
            if (isMain)
                Application::Instance().Terminate();
        }
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus != nullptr && IsChild(Handle(), focus))
                lastFocus_ = focus;
        } else if (lastFocus_ != nullptr && IsWindow(lastFocus_) && IsWindowEnabled(lastFocus_) &&
                   IsWindowVisible(lastFocus_)) {
            ::SetFocus(lastFocus_);
        } else {
            FocusFirstControl();
        }
        return 0;
    default: return Control::WndProc(message, wParam, lParam);
    }
}

bool Form::IsDialogMessageFor(MSG& msg) {
    if (msg.hwnd == nullptr)
        return false;
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    if (dynamic_cast<Form*>(FromHandle(root)) == nullptr)
        return false;
    return IsDialogMessageW(root, &msg) != FALSE;
}

} // namespace zt::ui
