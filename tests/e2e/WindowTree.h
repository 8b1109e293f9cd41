#pragma once
// Finding and reading windows of another process: the main window, its controls, message boxes.
#include "Wait.h"

#include <string>
#include <string_view>
#include <vector>
#include <windows.h>

namespace zt::e2e {

// Makes the driver see every window in device pixels, whatever the dpi of its owner; call it once,
// before reading any position.
void UsePhysicalPixels();

std::wstring ClassName(HWND hwnd);
// The window's text through WM_GETTEXT, with a bound on a window that does not answer.
std::wstring Text(HWND hwnd);
// Left, top, width, height relative to the parent's client area (the screen for top-level windows).
struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Rect&) const = default;
};
Rect RectInParent(HWND hwnd);
SIZE ClientSize(HWND hwnd);

struct WindowInfo {
    HWND hwnd = nullptr;
    std::wstring className;
    std::wstring text;
    Rect rect;
    bool enabled = false;
    bool visible = false;
    LONG style = 0;
    LONG exStyle = 0;
};
WindowInfo Describe(HWND hwnd);

// Top-level windows of a process (0: of every process), of one class when it is given.
std::vector<HWND> TopWindows(DWORD processId, std::wstring_view className = {});
HWND WaitForVisibleWindow(DWORD processId, std::wstring_view className, milliseconds bound = kDefaultBound);
// Waits until the window and its descendants have nothing left to paint.
void WaitPainted(HWND top, milliseconds bound = kDefaultBound);

// Direct children in z-order, which is the order their windows were created in (the tab order).
std::vector<HWND> Children(HWND parent);
// Every descendant, depth first, parents before their children.
std::vector<HWND> Descendants(HWND root);
// The first descendant of that class (and text, when given); nullptr when there is none.
HWND FindDescendant(HWND root, std::wstring_view className, std::wstring_view text = {});

// The window holding the keyboard focus in the thread that owns `top`.
HWND FocusedWindow(HWND top);
HWND WaitForFocus(HWND top, HWND expected, milliseconds bound = kDefaultBound);

// A list box's items, read through LB_GETCOUNT, LB_GETTEXT and LB_GETITEMDATA.
struct ListItem {
    std::wstring text;
    LRESULT data = 0; // the check-list box's tick mark: 1 ticked, 0 not
    bool operator==(const ListItem&) const = default;
};
std::vector<ListItem> ListBoxItems(HWND listBox);

// Message boxes (dialog class "#32770") of a process and what they show.
std::vector<HWND> MessageBoxes(DWORD processId);
// The first message box the process shows within the bound.
HWND WaitForMessageBox(DWORD processId, milliseconds bound = kDefaultBound);
struct MessageBoxInfo {
    std::wstring title;
    std::wstring text;
    std::vector<std::wstring> buttons;
};
MessageBoxInfo ReadMessageBox(HWND box);

} // namespace zt::e2e
