#include "ui/MessageBox.h"

#include <exception>

namespace zt::ui {
namespace {

struct Collection {
    HWND except;
    std::vector<HWND>* windows;
    std::exception_ptr error;
};

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM context) {
    auto& collection = *reinterpret_cast<Collection*>(context);
    if (window == collection.except || !IsWindowVisible(window) || !IsWindowEnabled(window))
        return TRUE;
    try {
        collection.windows->push_back(window);
        return TRUE;
    } catch (...) {
        // Nothing may be thrown through the system's enumeration frame.
        collection.error = std::current_exception();
        return FALSE;
    }
}

} // namespace

ThreadWindowsDisabled::ThreadWindowsDisabled(HWND except) {
    Collection collection{except, &disabled_, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&collection));
    if (collection.error)
        std::rethrow_exception(collection.error);
    for (const HWND window : disabled_)
        EnableWindow(window, FALSE);
}

ThreadWindowsDisabled::~ThreadWindowsDisabled() {
    for (const HWND window : disabled_)
        if (IsWindow(window))
            EnableWindow(window, TRUE);
}

HWND ActiveApplicationWindow() {
    if (const HWND active = GetActiveWindow())
        return active;
    const HWND foreground = GetForegroundWindow();
    if (foreground != nullptr && GetWindowThreadProcessId(foreground, nullptr) == GetCurrentThreadId())
        return foreground;
    return nullptr;
}

int ShowMessageBox(const std::wstring& text, const std::wstring& caption, UINT flags) {
    const HWND owner = ActiveApplicationWindow();
    // The owner is left to the box itself, which disables it and gives it the activation back.
    const ThreadWindowsDisabled others(owner);
    return MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
}

} // namespace zt::ui
