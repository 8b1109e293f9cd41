#include "ui/WindowClass.h"

#include "runtime/Exceptions.h"
#include "ui/Control.h"

#include <string>

namespace zt::ui {

void EnsureWindowClass(std::wstring_view name, HICON icon) {
    const std::wstring className(name);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, className.c_str(), &existing))
        return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = Control::OwnClassProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hIcon = icon;
    wc.lpszClassName = className.c_str();
    if (RegisterClassExW(&wc) == 0)
        RaiseLastOSError();
}

} // namespace zt::ui
