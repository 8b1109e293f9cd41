#pragma once
// A modal message box that belongs to the application's active window and keeps every other window
// of the calling thread disabled until it is dismissed.
#include <string>
#include <vector>

#include <windows.h>

namespace zt::ui {

// Disables this thread's visible, enabled top-level windows except one, and re-enables exactly those.
class ThreadWindowsDisabled {
public:
    explicit ThreadWindowsDisabled(HWND except);
    ~ThreadWindowsDisabled();
    ThreadWindowsDisabled(const ThreadWindowsDisabled&) = delete;
    ThreadWindowsDisabled& operator=(const ThreadWindowsDisabled&) = delete;

private:
    std::vector<HWND> disabled_;
};

// The active window of this thread, else the foreground window when this thread owns it, else none.
HWND ActiveApplicationWindow();

// Returns the button that closed the box (IDOK for the default flags).
int ShowMessageBox(const std::wstring& text, const std::wstring& caption,
                   UINT flags = MB_OK | MB_ICONINFORMATION);

} // namespace zt::ui
