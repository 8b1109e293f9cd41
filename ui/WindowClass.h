#pragma once
#include <string_view>
#include <windows.h>

namespace zt::ui {

// Registers a window class of ours once per process. Its window procedure binds the control object
// passed as the creation parameter at WM_NCCREATE and hands it every message from then on.
void EnsureWindowClass(std::wstring_view name, HICON icon = nullptr);

} // namespace zt::ui
