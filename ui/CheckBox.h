#pragma once
#include "ui/Control.h"

namespace zt::ui {

// OnClick fires whenever the ticked state changes (mouse, space bar or program) and never when it is
// set to the state it already has, so a handler that changes the state is re-entered, nested.
class CheckBox : public Control {
public:
    const wchar_t* Kind() const override { return L"check box"; }
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);

protected:
    CreateParams GetCreateParams() const override;
    void HandleCreated() override;
    void Command(WORD notifyCode) override;

private:
    bool checked_ = false;
};

} // namespace zt::ui
