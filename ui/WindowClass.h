#pragma once
#include <string_view>
#include <windows.h>

namespace zt::ui {

// Registers a window class of ours once per process; its window procedure is the default one, since
// every window of ours is subclassed by its control object.
void EnsureWindowClass(std::wstring_view name, HICON icon = nullptr);

} // namespace zt::ui
