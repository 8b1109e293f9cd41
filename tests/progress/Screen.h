#pragma once
// What the tests read back from real windows: their pixels, their texts, and bounded waits.
#include <functional>
#include <string>
#include <vector>
#include <windows.h>

namespace zt::progress::test {

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> colours; // row by row, top row first
    COLORREF At(int x, int y) const { return colours[static_cast<std::size_t>(y * width + x)]; }
    bool operator==(const Pixels&) const = default;
};

// The client area of a window as it is on the screen, after its pending paint.
Pixels Capture(HWND hwnd);
// The same as it is now: no paint is asked for.
Pixels AsShown(HWND hwnd);

// The text of a native window, read by WM_GETTEXT as any other program would.
std::wstring WindowText(HWND hwnd);

// Handles messages until the condition holds; fails the test, naming what it waited for, when it does
// not hold within the bound.
bool WaitFor(const std::function<bool()>& condition, const char* what, int timeoutMs = 5000);

} // namespace zt::progress::test
