#include "Input.h"

namespace zt::e2e {
namespace {

LPARAM KeyParam(UINT virtualKey, bool up, bool alt) {
    const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    LPARAM value = 1 | (static_cast<LPARAM>(scan & 0xFF) << 16);
    if (alt)
        value |= LPARAM{1} << 29;
    if (up)
        value |= (LPARAM{1} << 30) | (LPARAM{1} << 31);
    return value;
}

} // namespace

void ClickButton(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
}

void MouseClick(HWND hwnd, POINT at) {
    const LPARAM where = MAKELPARAM(at.x, at.y);
    PostMessageW(hwnd, WM_MOUSEMOVE, 0, where);
    PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageW(hwnd, WM_LBUTTONUP, 0, where);
}

void PressKey(HWND focused, UINT virtualKey) {
    PostMessageW(focused, WM_KEYDOWN, virtualKey, KeyParam(virtualKey, false, false));
    PostMessageW(focused, WM_KEYUP, virtualKey, KeyParam(virtualKey, true, false));
}

void PressAltKey(HWND focused, wchar_t letter) {
    const SHORT key = VkKeyScanW(letter);
    PostMessageW(focused, WM_SYSCHAR, letter, KeyParam(LOBYTE(key), false, true));
}

void TypeText(HWND focused, std::wstring_view text) {
    for (const wchar_t c : text)
        PostMessageW(focused, WM_CHAR, c, 1);
}

void CloseWindowAsUser(HWND top) {
    PostMessageW(top, WM_SYSCOMMAND, SC_CLOSE, 0);
}

} // namespace zt::e2e
