#pragma once
// The module's view of one of our errors, and what the module reports back when it fails.
#include "interfaces/ZtErrorApi.h"
#include "runtime/Exceptions.h"

#include <optional>
#include <string>

namespace zt {

class ErrorObjectView {
public:
    // Refers to error, which must outlive the view.
    explicit ErrorObjectView(const Exception& error);
    ErrorObjectView(const ErrorObjectView&) = delete;
    ErrorObjectView& operator=(const ErrorObjectView&) = delete;

    const ZtErrorObject* Get() const { return &object_; }

    // Raises the module's failure, if it signalled one during the call.
    void RaiseModuleFailure() const;

private:
    static void WINAPI Raise(void* context, const wchar_t* message) noexcept;

    ZtErrorObject object_{};
    std::optional<std::wstring> moduleFailure_;
    bool moduleFailureLost_ = false;
};

} // namespace zt
