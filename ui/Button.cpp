#include "ui/Button.h"

namespace zt::ui {

void Button::Command(WORD notifyCode) {
    if (notifyCode == BN_CLICKED)
        Click();
}

} // namespace zt::ui
