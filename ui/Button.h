#pragma once
#include "ui/Control.h"

namespace zt::ui {

// A push button, neither the default nor the cancel button; its "&" mark is its accelerator.
class Button : public Control {
public:
    const wchar_t* Kind() const override { return L"push button"; }

protected:
    CreateParams GetCreateParams() const override { return {L"BUTTON", BS_PUSHBUTTON, 0}; }
    void Command(WORD notifyCode) override;
};

} // namespace zt::ui
