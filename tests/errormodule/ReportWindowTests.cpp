// The real ZtError.dll, in process: its modal report window, watched and closed from a timer that
// fires inside the module's own loop.
#include "ModuleFolder.h"
#include "errordisplay/ReportWindow.h"

#include <algorithm>
#include <functional>
#include <memory>

namespace zt::testing {
namespace {

enum class CloseBy { OkButton, CloseMessage, Quit };

constexpr UINT_PTR kWatchTimer = 1;
constexpr int kWatchTickLimit = 200; // 10 s at 50 ms

struct Watch {
    CloseBy closeBy = CloseBy::OkButton;
    HWND owner = nullptr;
    int ticks = 0;
    bool seen = false;
    bool timedOut = false;
    bool ownerEnabledWhileShown = true;
    HWND reportOwner = nullptr;
    std::wstring caption{};
    std::vector<std::wstring> texts{};
};

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

BOOL CALLBACK CollectText(HWND child, LPARAM texts) {
    reinterpret_cast<std::vector<std::wstring>*>(texts)->push_back(TextOf(child));
    return TRUE;
}

void Close(HWND report, CloseBy how) {
    switch (how) {
    case CloseBy::OkButton:
        PostMessageW(GetDlgItem(report, IDOK), BM_CLICK, 0, 0);
        break;
    case CloseBy::CloseMessage:
        PostMessageW(report, WM_CLOSE, 0, 0);
        break;
    case CloseBy::Quit:
        PostQuitMessage(7);
        break;
    }
}

void Observe(Watch& watch) {
    const HWND report = FindWindowW(errordisplay::kReportWindowClass, nullptr);
    if (++watch.ticks > kWatchTickLimit) {
        watch.timedOut = true;
        if (report != nullptr)
            PostMessageW(report, WM_CLOSE, 0, 0);
        return;
    }
    if (watch.seen || report == nullptr || !IsWindowVisible(report))
        return;
    watch.seen = true;
    watch.ownerEnabledWhileShown = IsWindowEnabled(watch.owner) != FALSE;
    watch.reportOwner = GetWindow(report, GW_OWNER);
    watch.caption = TextOf(report);
    EnumChildWindows(report, &CollectText, reinterpret_cast<LPARAM>(&watch.texts));
    Close(report, watch.closeBy);
}

LRESULT CALLBACK WatcherProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kWatchTimer) {
        Observe(*reinterpret_cast<Watch*>(GetWindowLongPtrW(window, GWLP_USERDATA)));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

class ReportWindow : public ModuleFolderTest {
protected:
    void SetUp() override {
        ModuleFolderTest::SetUp();
        WNDCLASSEXW watcherClass{};
        watcherClass.cbSize = sizeof watcherClass;
        watcherClass.lpfnWndProc = &WatcherProc;
        watcherClass.hInstance = GetModuleHandleW(nullptr);
        watcherClass.lpszClassName = L"ZtReportWatcher";
        ASSERT_NE(RegisterClassExW(&watcherClass), 0);
        watcher_ = CreateWindowExW(0, watcherClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   watcherClass.hInstance, nullptr);
        ASSERT_NE(watcher_, nullptr);
        ShowWindow(owner_, SW_SHOWNORMAL);
        Install(kDisplayModule);
    }
    void TearDown() override {
        if (watcher_ != nullptr)
            DestroyWindow(watcher_);
        UnregisterClassW(L"ZtReportWatcher", GetModuleHandleW(nullptr));
        ModuleFolderTest::TearDown();
    }

    // Reports the error while the watcher looks at the report and closes it.
    Watch ReportWatched(const Exception& error, CloseBy closeBy) {
        Watch watch{.closeBy = closeBy, .owner = owner_};
        SetWindowLongPtrW(watcher_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&watch));
        SetTimer(watcher_, kWatchTimer, 50, nullptr);
        Report(error);
        KillTimer(watcher_, kWatchTimer);
        SetWindowLongPtrW(watcher_, GWLP_USERDATA, 0);
        return watch;
    }

    HWND watcher_ = nullptr;
};

bool Contains(const std::vector<std::wstring>& texts, const std::wstring& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST_F(ReportWindow, ShowsTheReportModallyOverItsOwnerUntilClosed) {
    struct Case {
        std::function<std::unique_ptr<Exception>()> make;
        CloseBy closeBy;
        std::wstring heading;
        std::wstring classLine;
        std::wstring details;
    };
    const Case cases[] = {
        {[] { return std::make_unique<EConvertError>(L"'12x' is not a valid integer value"); },
         CloseBy::OkButton, L"Error de conversión", L"Clase: EConvertError", L""},
        {[] { return std::make_unique<EOutOfResources>(L"Not enough storage"); }, CloseBy::CloseMessage,
         L"Recursos del sistema agotados", L"Clase: EOutOfResources", L""},
        {[] { return std::make_unique<EOSError>(ERROR_ACCESS_DENIED); }, CloseBy::OkButton, L"Error",
         L"Clase: EOSError", L"Código del sistema: 5"},
    };
    // One after the other: each load of the module must find its window class gone with the last.
    int report = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(report);
        const std::unique_ptr<Exception> error = c.make();
        const Watch watch = ReportWatched(*error, c.closeBy);
        ASSERT_TRUE(watch.seen) << "the module returned without showing its report";
        EXPECT_FALSE(watch.timedOut) << "the report did not close when asked to";
        EXPECT_EQ(watch.reportOwner, owner_);
        EXPECT_FALSE(watch.ownerEnabledWhileShown);
        EXPECT_EQ(watch.caption, L"Importar Conexiones BDE a Alvenor " + std::to_wstring(++report));
        EXPECT_TRUE(Contains(watch.texts, c.heading));
        EXPECT_TRUE(Contains(watch.texts, c.classLine));
        EXPECT_TRUE(Contains(watch.texts, error->Message()));
        if (!c.details.empty()) {
            EXPECT_TRUE(Contains(watch.texts, c.details));
        }
        EXPECT_TRUE(Contains(watch.texts, L"Aceptar"));

        EXPECT_TRUE(IsWindowEnabled(owner_));
        EXPECT_EQ(FindWindowW(errordisplay::kReportWindowClass, nullptr), nullptr);
        EXPECT_FALSE(ModuleLoaded());
    }
}

TEST_F(ReportWindow, QuitDuringTheReportClosesItAndReachesTheCallersLoop) {
    const Watch watch = ReportWatched(Exception(L"Alias Zentor7 no encontrado."), CloseBy::Quit);
    ASSERT_TRUE(watch.seen);
    EXPECT_FALSE(watch.timedOut);
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_FALSE(ModuleLoaded());
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit request was lost";
    EXPECT_EQ(message.wParam, 7u);
}

} // namespace
} // namespace zt::testing
