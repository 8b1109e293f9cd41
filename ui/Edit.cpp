#include "ui/Edit.h"

namespace zt::ui {

Control::CreateParams Edit::GetCreateParams() const {
    return {L"EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
}

// Lifts the system's default limit of 30000 characters.
void Edit::HandleCreated() {
    SendMessageW(Handle(), EM_SETLIMITTEXT, 0, 0);
}

void Edit::Command(WORD notifyCode) {
    if (notifyCode == EN_CHANGE)
        TextFromWindow();
}

} // namespace zt::ui
