#pragma once
// What every build of ZtError.dll shares: reading the program's error view safely, and turning
// a failure inside the module into a report through the view instead of an exception that would
// cross the module boundary.
#include "interfaces/ZtErrorApi.h"

#include <new>
#include <string>
#include <string_view>

namespace zt::errordisplay {

class ModuleFailure {
public:
    explicit ModuleFailure(std::wstring message) : message_(std::move(message)) {}
    const std::wstring& Message() const { return message_; }

private:
    std::wstring message_;
};

// Raises ModuleFailure "No se pudo <action> (código <GetLastError()>).".
[[noreturn]] void FailWithLastError(std::wstring_view action);

// The fields of the view, empty when the program passed none.
std::wstring_view ClassNameOf(const ZtErrorObject* error);
std::wstring_view MessageOf(const ZtErrorObject* error);
std::wstring_view TextOf(BSTR text);

// The folder of this module, ending in a backslash.
std::wstring ThisModuleFolder();
HINSTANCE ThisModule();

void SignalFailure(const ZtErrorObject* error, const wchar_t* message) noexcept;

// Runs the module's work; whatever it raises goes back to the program through the view.
template <typename Work> void RunGuarded(const ZtErrorObject* error, Work&& work) noexcept {
    try {
        work();
    } catch (const ModuleFailure& failure) {
        SignalFailure(error, failure.Message().c_str());
    } catch (const std::bad_alloc&) {
        SignalFailure(error, L"Out of memory");
    } catch (...) {
        SignalFailure(error, L"Error interno del módulo de errores.");
    }
}

} // namespace zt::errordisplay
