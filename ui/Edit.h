#pragma once
#include "ui/Control.h"

namespace zt::ui {

// A single-line edit without a length limit; Text() follows what the user types.
class Edit : public Control {
public:
    const wchar_t* Kind() const override { return L"single-line edit"; }

protected:
    CreateParams GetCreateParams() const override;
    void Command(WORD notifyCode) override;

private:
    void HandleCreated() override;
};

} // namespace zt::ui
