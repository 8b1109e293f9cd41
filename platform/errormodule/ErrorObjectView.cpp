#include "platform/errormodule/ErrorObjectView.h"

#include "runtime/OutOfMemory.h"

namespace zt {

ErrorObjectView::ErrorObjectView(const Exception& error) {
    object_.structSize = sizeof(object_);
    object_.className = error.ClassName();
    object_.message = error.Message().c_str();
    if (const auto* osError = dynamic_cast<const EOSError*>(&error)) {
        object_.hasOSErrorCode = 1;
        object_.osErrorCode = osError->ErrorCode();
    }
    if (const auto* engineError = dynamic_cast<const EDBEngineError*>(&error)) {
        const auto& codes = engineError->StatusCodes();
        object_.engineStatusCount = static_cast<std::uint32_t>(codes.size());
        object_.engineStatusCodes = codes.empty() ? nullptr : codes.data();
    }
    object_.raise = &ErrorObjectView::Raise;
    object_.raiseContext = this;
}

void WINAPI ErrorObjectView::Raise(void* context, const wchar_t* message) noexcept {
    auto& self = *static_cast<ErrorObjectView*>(context);
    if (self.moduleFailure_ || self.moduleFailureLost_)
        return; // the first failure is the one that counts
    try {
        self.moduleFailure_.emplace(message != nullptr ? message : L"");
    } catch (...) {
        // Nothing may leave towards the module; the failure still leaves once the call is over.
        self.moduleFailureLost_ = true;
    }
}

void ErrorObjectView::RaiseModuleFailure() const {
    if (moduleFailureLost_)
        RaiseOutOfMemory();
    if (moduleFailure_)
        throw Exception(*moduleFailure_);
}

} // namespace zt
