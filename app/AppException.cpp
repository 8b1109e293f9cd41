// The application-wide error handler: every error that escapes a handler goes to the external
// error-display module, with the main window as owner.
#include "app/UGnImcon.h"
#include "platform/errormodule/ErrorModule.h"
#include "ui/Application.h"

void TFrmGnImcon::AppException(void*, const zt::Exception& E) {
    zt::ReportToErrorModule(E, {.ownerWindow = [this] { return Handle(); },
                                .title = [] { return zt::ui::Application::Instance().Title(); }});
}
