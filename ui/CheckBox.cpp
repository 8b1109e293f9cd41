#include "ui/CheckBox.h"

#include "ui/GdiHandles.h"
#include "ui/Layout.h"

#include <algorithm>
#include <commctrl.h>

namespace zt::ui {
namespace {

// What the box needs for its tick and caption, asked of the control itself; where the control
// cannot tell (the common controls before version 6), the tick's width, half a digit's width
// between tick and text, and the text.
SIZE NeededSize(HWND hwnd, const std::wstring& text) {
    SIZE ideal{0, 0};
    if (SendMessageW(hwnd, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)) != FALSE && ideal.cx > 0)
        return ideal;
    const WindowDc dc(hwnd);
    const Selection font(dc.Get(), reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
    RECT rect{0, 0, 0, 0};
    DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &rect, DT_CALCRECT | DT_SINGLELINE);
    INT digit = 0;
    GetCharWidth32W(dc.Get(), L'0', L'0', &digit);
    return {GetSystemMetrics(SM_CXMENUCHECK) + digit / 2 + rect.right + 1,
            std::max<LONG>(rect.bottom, GetSystemMetrics(SM_CYMENUCHECK))};
}

} // namespace

void CheckBox::Configure(const LayoutRow& row) {
    const Bounds scaled = Scale()(row.bounds);
    minimum_ = SIZE{scaled.width, scaled.height};
}

void CheckBox::TextChanged() {
    if (HandleAllocated())
        FitToText();
}

void CheckBox::FitToText() {
    const SIZE needed = NeededSize(Handle(), Text());
    const Bounds b = GetBounds();
    const SIZE minimum = minimum_.value_or(SIZE{b.width, b.height});
    const int width = std::max<int>(needed.cx, minimum.cx);
    const int height = std::max<int>(needed.cy, minimum.cy);
    if (width != b.width || height != b.height)
        SetBounds({b.left, b.top, width, height});
}

void CheckBox::SetChecked(bool checked) {
    if (checked_ == checked)
        return;
    checked_ = checked;
    if (HandleAllocated())
        SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    Click();
}

// Not an automatic check box: the object decides the state, so that every change, whoever makes
// it, goes through SetChecked and its event.
Control::CreateParams CheckBox::GetCreateParams() const {
    return {L"BUTTON", BS_CHECKBOX, 0};
}

void CheckBox::HandleCreated() {
    SendMessageW(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
    FitToText();
}

void CheckBox::Command(WORD notifyCode) {
    if (notifyCode == BN_CLICKED)
        SetChecked(!checked_);
}

} // namespace zt::ui
