#pragma once
// The two errors that saving a file raises.
#include <string>

#include <windows.h>

namespace zt {

// EFCreateError "Cannot create file "<path>". <the system's text for errorCode>".
[[noreturn]] void RaiseCreateError(const std::wstring& path, DWORD errorCode);
// EWriteError "Stream write error".
[[noreturn]] void RaiseWriteError();

} // namespace zt
