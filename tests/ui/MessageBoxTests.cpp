#include "ui/MessageBox.h"

#include "tests/support/ModalCallWatch.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cwchar>
#include <memory>
#include <vector>

namespace zt::ui {
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

// Notes what the shown box and the windows around it look like.
BoxSeen Look(HWND box, HWND owner, HWND other, HWND disabled) {
    BoxSeen seen;
    seen.found = true;
    seen.owner = GetWindow(box, GW_OWNER);
    seen.caption = TextOf(box);
    seen.text = TextOf(GetDlgItem(box, 0xFFFF));
    seen.ownerEnabled = IsWindowEnabled(owner);
    seen.otherEnabled = IsWindowEnabled(other);
    seen.disabledEnabled = IsWindowEnabled(disabled);
    EnumChildWindows(box, NoteControl, reinterpret_cast<LPARAM>(&seen));
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
    BoxSeen seen;
    test::ModalCallWatch watch(GetCurrentThreadId(), std::chrono::seconds(20), "ShowMessageBox to return",
                               [&](HWND box) { seen = Look(box, owner.get(), other.get(), disabled.get()); });
    const int pressed = ShowMessageBox(text, L"Importar Conexiones");
    EXPECT_EQ(watch.Finish(), 1) << "message boxes answered";

    ASSERT_TRUE(seen.found) << "ShowMessageBox returned without showing a box";
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
} // namespace zt::ui
