#include "WindowTree.h"

#include <algorithm>
#include <cstdio>
#include <cwctype>

namespace zt::e2e {
namespace {

constexpr UINT kAnswerBoundMs = 5000;

bool SameText(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return std::towlower(x) == std::towlower(y);
           });
}

LRESULT Ask(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(hwnd, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerBoundMs, &result)) {
        const DWORD error = GetLastError();
        throw TimeoutError(
            "window did not answer message " + std::to_string(message) + " (" +
            (IsWindow(hwnd) ? "system error " + std::to_string(error) : std::string("window gone")) + ")");
    }
    return static_cast<LRESULT>(result);
}

// Watches the process whose window is waited for (any process when its id is 0).
class ProcessWatch {
public:
    explicit ProcessWatch(DWORD processId)
        : handle_(processId == 0
                      ? nullptr
                      : OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId)),
          processId_(processId) {}
    ~ProcessWatch() {
        if (handle_ != nullptr)
            CloseHandle(handle_);
    }
    ProcessWatch(const ProcessWatch&) = delete;
    ProcessWatch& operator=(const ProcessWatch&) = delete;

    // Throws ProcessEndedError once the process has ended, naming its exit code and what was awaited.
    void ThrowIfEnded(const std::string& what) const {
        if (handle_ == nullptr || WaitForSingleObject(handle_, 0) != WAIT_OBJECT_0)
            return;
        DWORD code = 0;
        GetExitCodeProcess(handle_, &code);
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%08lX", static_cast<unsigned long>(code));
        throw ProcessEndedError("process " + std::to_string(processId_) + " ended with exit code " + hex +
                                (code >= 0xC0000000 ? " (it crashed)" : "") + " before showing " + what);
    }

private:
    HANDLE handle_;
    DWORD processId_;
};

// WaitFor, for a window of one process: fails at once when the process ends.
template <class Probe>
auto WaitForWindowOf(DWORD processId, Probe probe, const std::string& what, milliseconds bound) {
    const ProcessWatch watch(processId);
    return WaitFor(
        [&] {
            auto result = probe();
            if (!static_cast<bool>(result))
                watch.ThrowIfEnded(what);
            return result;
        },
        what, bound);
}

} // namespace

void UsePhysicalPixels() {
    // Without it, Wine maps the positions of a dpi-aware process's windows to 96 dpi for us.
    using SetContext = BOOL(WINAPI*)(HANDLE);
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    auto set = reinterpret_cast<SetContext>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDpiAwarenessContext")));
    const auto perMonitor = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3));
    if (set == nullptr || !set(perMonitor))
        SetProcessDPIAware();
}

std::wstring ClassName(HWND hwnd) {
    wchar_t name[256] = {};
    GetClassNameW(hwnd, name, 256);
    return name;
}

std::wstring Text(HWND hwnd) {
    const auto length = Ask(hwnd, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto copied = Ask(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

Rect RectInParent(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    if (HWND parent = GetAncestor(hwnd, GA_PARENT); parent != nullptr && parent != GetDesktopWindow())
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

SIZE ClientSize(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return {r.right, r.bottom};
}

WindowInfo Describe(HWND hwnd) {
    WindowInfo info;
    info.hwnd = hwnd;
    info.className = ClassName(hwnd);
    info.text = Text(hwnd);
    info.rect = RectInParent(hwnd);
    info.enabled = IsWindowEnabled(hwnd) != FALSE;
    info.visible = IsWindowVisible(hwnd) != FALSE;
    info.style = GetWindowLongW(hwnd, GWL_STYLE);
    info.exStyle = GetWindowLongW(hwnd, GWL_EXSTYLE);
    return info;
}

std::vector<HWND> TopWindows(DWORD processId, std::wstring_view className) {
    struct Search {
        DWORD processId;
        std::wstring_view className;
        std::vector<HWND> found;
    } search{processId, className, {}};
    EnumWindows(
        [](HWND hwnd, LPARAM param) CALLBACK -> BOOL {
            auto& s = *reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if ((s.processId == 0 || owner == s.processId) &&
                (s.className.empty() || SameText(ClassName(hwnd), s.className)))
                s.found.push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForVisibleWindow(DWORD processId, std::wstring_view className, milliseconds bound) {
    return WaitForWindowOf(
        processId,
        [&]() -> HWND {
            for (HWND hwnd : TopWindows(processId, className))
                if (IsWindowVisible(hwnd))
                    return hwnd;
            return nullptr;
        },
        "a visible window of class " + std::string(className.begin(), className.end()), bound);
}

void WaitPainted(HWND top, milliseconds bound) {
    // The loop has run since the window was shown; a large list may keep it busy for a while.
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(top, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(bound.count()), &ignored))
        throw TimeoutError("the window's message loop did not answer");
    WaitFor(
        [&] {
            for (HWND hwnd : Descendants(top))
                if (IsWindowVisible(hwnd) && GetUpdateRect(hwnd, nullptr, FALSE))
                    return false;
            return GetUpdateRect(top, nullptr, FALSE) == FALSE;
        },
        "the window to be painted", bound);
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

std::vector<HWND> Descendants(HWND root) {
    std::vector<HWND> all;
    for (HWND child : Children(root)) {
        all.push_back(child);
        const std::vector<HWND> below = Descendants(child);
        all.insert(all.end(), below.begin(), below.end());
    }
    return all;
}

HWND FindDescendant(HWND root, std::wstring_view className, std::wstring_view text) {
    for (HWND hwnd : Descendants(root))
        if (SameText(ClassName(hwnd), className) && (text.empty() || Text(hwnd) == text))
            return hwnd;
    return nullptr;
}

HWND FocusedWindow(HWND top) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info))
        return nullptr;
    return info.hwndFocus;
}

HWND WaitForFocus(HWND top, HWND expected, milliseconds bound) {
    return WaitFor([&]() -> HWND { return FocusedWindow(top) == expected ? expected : nullptr; },
                   "the focus on the window of class " +
                       [&] {
                           const std::wstring name = ClassName(expected);
                           return std::string(name.begin(), name.end());
                       }(),
                   bound);
}

std::vector<ListItem> ListBoxItems(HWND listBox) {
    std::vector<ListItem> items;
    const auto count = Ask(listBox, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const auto index = static_cast<WPARAM>(i);
        const auto length = Ask(listBox, LB_GETTEXTLEN, index, 0);
        std::wstring text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
        const auto copied = Ask(listBox, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
        items.push_back({text, Ask(listBox, LB_GETITEMDATA, index, 0)});
    }
    return items;
}

std::vector<HWND> MessageBoxes(DWORD processId) {
    std::vector<HWND> boxes;
    for (HWND hwnd : TopWindows(processId, L"#32770"))
        if (IsWindowVisible(hwnd))
            boxes.push_back(hwnd);
    return boxes;
}

HWND WaitForMessageBox(DWORD processId, milliseconds bound) {
    return WaitForWindowOf(
        processId,
        [&] {
            const std::vector<HWND> boxes = MessageBoxes(processId);
            return boxes.empty() ? HWND{} : boxes.front();
        },
        "a message box of process " + std::to_string(processId), bound);
}

MessageBoxInfo ReadMessageBox(HWND box) {
    MessageBoxInfo info;
    info.title = Text(box);
    if (HWND text = GetDlgItem(box, 0xFFFF))
        info.text = Text(text);
    for (HWND child : Children(box))
        if (SameText(ClassName(child), L"Button"))
            info.buttons.push_back(Text(child));
    return info;
}

} // namespace zt::e2e
