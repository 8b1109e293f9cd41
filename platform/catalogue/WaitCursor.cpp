#include "platform/catalogue/WaitCursor.h"

namespace zt::platform {

WaitCursor::WaitCursor() {
    if (!IsGUIThread(FALSE))
        return;
    const HCURSOR current = GetCursor();
    if (current != nullptr && current != LoadCursorW(nullptr, IDC_ARROW))
        return;
    wait_ = LoadCursorW(nullptr, IDC_WAIT);
    SetCursor(wait_);
}

WaitCursor::~WaitCursor() {
    if (wait_ != nullptr && GetCursor() == wait_)
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

} // namespace zt::platform
