#include "platform/files/FileErrors.h"

#include "runtime/Exceptions.h"

namespace zt {

void RaiseCreateError(const std::wstring& path, DWORD errorCode) {
    throw EFCreateError(L"Cannot create file \"" + path + L"\". " + SysErrorMessage(errorCode));
}

void RaiseWriteError() {
    throw EWriteError(kStreamWriteErrorMessage);
}

} // namespace zt
