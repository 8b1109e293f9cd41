#pragma once
// Input as a user gives it, posted to the window that has to handle it, so that it goes through
// the target's own message loop (its keyboard navigation included) and never waits on it.
#include <string_view>
#include <windows.h>

namespace zt::e2e {

// BM_CLICK: the button behaves as if pressed and released with the mouse.
void ClickButton(HWND button);
// A left click at a point of the window's client area.
void MouseClick(HWND hwnd, POINT at);
// A key pressed and released on the focused window; the target's loop makes the character of it.
void PressKey(HWND focused, UINT virtualKey);
// Alt and a letter, as the target's loop receives it from the system (WM_SYSCHAR).
void PressAltKey(HWND focused, wchar_t letter);
// Characters typed into the focused window.
void TypeText(HWND focused, std::wstring_view text);
// The close command of the window's system menu (the close button, Alt+F4).
void CloseWindowAsUser(HWND top);

} // namespace zt::e2e
