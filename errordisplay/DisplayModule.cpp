// ZtError.dll: shows each report in a modal window owned by the caller's window.
#include "errordisplay/ModuleSupport.h"
#include "errordisplay/ReportContent.h"
#include "errordisplay/ReportWindow.h"

#include <type_traits>

extern "C" void WINAPI PGnMostrarError(HWND owner, BSTR title, BSTR kind, int32_t /*zero*/,
                                       const ZtErrorObject* error) {
    using namespace zt::errordisplay;
    RunGuarded(error, [&] { ShowReportModal(owner, ReportContentOf(title, kind, error)); });
}

// Exactly the published entry point's type, calling convention included (told apart in 32-bit builds).
static_assert(std::is_same_v<decltype(&PGnMostrarError), PGnMostrarErrorFn>);
