#include "ui/CheckBox.h"

namespace zt::ui {

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
}

void CheckBox::Command(WORD notifyCode) {
    if (notifyCode == BN_CLICKED)
        SetChecked(!checked_);
}

} // namespace zt::ui
