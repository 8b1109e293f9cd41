#include "platform/files/MessageBox.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cwchar>
#include <memory>
#include <thread>
#include <vector>

namespace zt {
namespace {

struct WindowDestroyer {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using Window = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

class WindowClass {
public:
    WindowClass() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kName;
        RegisterClassW(&windowClass);
    }
    ~WindowClass() { UnregisterClassW(kName, GetModuleHandleW(nullptr)); }
    WindowClass(const WindowClass&) = delete;
    WindowClass& operator=(const WindowClass&) = delete;

    Window Create(const wchar_t* title, int x) const {
        const HWND window = CreateWindowExW(0, kName, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, 50, 300,
                                            200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        return Window(window);
    }

    static constexpr const wchar_t* kName = L"ZtMessageBoxTestWindow";
};

struct BoxSeen {
    bool found = false;
    HWND owner = nullptr;
    std::wstring caption;
    std::wstring text;
    bool ownerEnabled = true;
    bool otherEnabled = true;
    bool disabledEnabled = false;
    HICON icon = nullptr;              // what its icon control shows
    std::vector<std::wstring> buttons; // the captions of its buttons
};

BOOL CALLBACK FindDialog(HWND window, LPARAM result) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (wcscmp(className, L"#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
}

std::wstring TextOf(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

BOOL CALLBACK NoteControl(HWND control, LPARAM result) {
    auto& seen = *reinterpret_cast<BoxSeen*>(result);
    wchar_t className[16] = {};
    GetClassNameW(control, className, 16);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    if (_wcsicmp(className, L"Button") == 0 && (style & WS_VISIBLE) != 0)
        seen.buttons.push_back(TextOf(control));
    if (_wcsicmp(className, L"Static") == 0 && (style & SS_TYPEMASK) == SS_ICON)
        seen.icon = reinterpret_cast<HICON>(SendMessageW(control, STM_GETICON, 0, 0));
    return TRUE;
}

// Polls the showing thread for its message box, notes what it sees and presses OK; gives up after 20 s.
BoxSeen WatchAndDismiss(DWORD thread, HWND owner, HWND other, HWND disabled) {
    BoxSeen seen;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    HWND box = nullptr;
    while (box == nullptr && std::chrono::steady_clock::now() < deadline) {
        EnumThreadWindows(thread, FindDialog, reinterpret_cast<LPARAM>(&box));
        if (box == nullptr)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (box == nullptr)
        return seen;
    seen.found = true;
    seen.owner = GetWindow(box, GW_OWNER);
    seen.caption = TextOf(box);
    seen.text = TextOf(GetDlgItem(box, 0xFFFF));
    seen.ownerEnabled = IsWindowEnabled(owner);
    seen.otherEnabled = IsWindowEnabled(other);
    seen.disabledEnabled = IsWindowEnabled(disabled);
    EnumChildWindows(box, NoteControl, reinterpret_cast<LPARAM>(&seen));
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    return seen;
}

TEST(ShowMessageBox, OwnedByTheActiveWindowWithTheOthersDisabledUntilDismissed) {
    const WindowClass windowClass;
    const Window owner = windowClass.Create(L"owner", 50);
    const Window other = windowClass.Create(L"other", 400);
    const Window disabled = windowClass.Create(L"disabled", 750);
    ASSERT_TRUE(owner && other && disabled);
    EnableWindow(disabled.get(), FALSE);
    SetForegroundWindow(owner.get());
    SetActiveWindow(owner.get());
    ASSERT_EQ(GetActiveWindow(), owner.get());

    const std::wstring text =
        L"Archivo generado en la ruta: \rC:\\zentor\\version\\Conexiones.ini\rPuede ajustarlo";
    const DWORD thread = GetCurrentThreadId();
    BoxSeen seen;
    std::thread watcher([&] { seen = WatchAndDismiss(thread, owner.get(), other.get(), disabled.get()); });
    const int pressed = ShowMessageBox(text, L"Importar Conexiones");
    watcher.join();

    ASSERT_TRUE(seen.found) << "no message box appeared within 20 s";
    EXPECT_EQ(pressed, IDOK);
    EXPECT_EQ(seen.owner, owner.get());
    EXPECT_EQ(seen.caption, L"Importar Conexiones");
    EXPECT_EQ(seen.text, text);
    // By default the information icon and a single OK button.
    EXPECT_EQ(seen.icon, LoadIconW(nullptr, IDI_INFORMATION));
    EXPECT_NE(seen.icon, nullptr);
    EXPECT_EQ(seen.buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_FALSE(seen.ownerEnabled);
    EXPECT_FALSE(seen.otherEnabled);
    EXPECT_FALSE(seen.disabledEnabled);

    EXPECT_TRUE(IsWindowEnabled(owner.get()));
    EXPECT_TRUE(IsWindowEnabled(other.get()));
    EXPECT_FALSE(IsWindowEnabled(disabled.get())) << "a window that was disabled before was enabled after";
}

} // namespace
} // namespace zt
