// A ZtError.dll for tests whose entry point fails: it signals a failure naming the report kind.
#include "errordisplay/ModuleSupport.h"

#include <type_traits>

extern "C" void WINAPI PGnMostrarError(HWND /*owner*/, BSTR /*title*/, BSTR kind, int32_t /*zero*/,
                                       const ZtErrorObject* error) {
    using namespace zt::errordisplay;
    RunGuarded(error, [&] {
        throw ModuleFailure(L"Fallo simulado del módulo de errores (" + std::wstring(TextOf(kind)) + L").");
    });
}

// Exactly the published entry point's type, calling convention included (told apart in 32-bit builds).
static_assert(std::is_same_v<decltype(&PGnMostrarError), PGnMostrarErrorFn>);
