#include "platform/files/ShellOpen.h"

#include <shellapi.h>

namespace zt {

void ShellOpen(HWND owner, const std::wstring& path) {
    ShellExecuteW(owner, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace zt
