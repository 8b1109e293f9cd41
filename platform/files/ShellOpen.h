#pragma once
// Opens a document with the handler the desktop has registered for its kind.
#include <string>

#include <windows.h>

namespace zt {

// The verb "open", no parameters, no working folder, a normal window; a failure to open is silent.
void ShellOpen(HWND owner, const std::wstring& path);

} // namespace zt
