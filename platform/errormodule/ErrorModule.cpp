#include "platform/errormodule/ErrorModule.h"

#include "platform/errormodule/ErrorObjectView.h"
#include "platform/errormodule/ModuleHandle.h"
#include "platform/errormodule/OleString.h"
#include "runtime/OutOfMemory.h"

namespace zt {
namespace {

template <typename Kind> bool IsA(const Exception& error) {
    return dynamic_cast<const Kind*>(&error) != nullptr;
}

void CallEntryPoint(PGnMostrarErrorFn entryPoint, const wchar_t* kind, const Exception& error,
                    const ErrorReportSource& source) {
    const HWND owner = source.ownerWindow();
    const OleString title(source.title());
    const OleString kindText(kind);
    const ErrorObjectView view(error);
    entryPoint(owner, title.Get(), kindText.Get(), 0, view.Get());
    view.RaiseModuleFailure();
}

} // namespace

void ReportToErrorModule(const Exception& error, const ErrorReportSource& source) {
    if (IsA<EAbort>(error))
        return; // the silent error is never reported

    const ModuleHandle module = LoadModule(ZT_ERROR_MODULE_NAME);
    if (!module)
        return;
    // Through the generic function type, which converts to any other without a warning.
    const auto entryPoint = reinterpret_cast<PGnMostrarErrorFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(module.get(), ZT_ERROR_ENTRY_POINT_NAME)));
    if (entryPoint == nullptr)
        return;

    bool reported = false;
    if (IsA<EOutOfResources>(error)) {
        CallEntryPoint(entryPoint, L"R", error, source);
        reported = true;
    }
    if (IsA<EOutOfMemory>(error) && !reported)
        RaiseOutOfMemory(); // the single object made at start: raising it needs no memory
    if (IsA<EConvertError>(error) && !reported) {
        CallEntryPoint(entryPoint, L"C", error, source);
        reported = true;
    }
    if (!reported)
        CallEntryPoint(entryPoint, L"X", error, source);
}

} // namespace zt
