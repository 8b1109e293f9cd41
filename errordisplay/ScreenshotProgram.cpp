// Shows one report of the real ZtError.dll (found in the parent folder) over an owner window, so
// that screenshot.sh can take its picture. Handshake through files in this program's folder:
// "errorshot.ready" once the report has been on screen for a few timer ticks, then the script
// creates "errorshot.done" and the program presses the report's OK button itself.
// Exit code 0 when the report was closed by its button and the owner came back enabled.
#include "errordisplay/ReportWindow.h"
#include "platform/errormodule/ErrorModule.h"

#include <string>
#include <windows.h>

namespace {

constexpr UINT_PTR kPollTimer = 1;
constexpr UINT kPollMilliseconds = 100;
constexpr int kTicksShownBeforeReady = 5;
constexpr int kTickLimit = 600; // one minute without the script's answer: give up

struct ShotState {
    std::wstring folder;
    int ticks = 0;
    int ticksShown = 0;
    bool readyAnnounced = false;
    bool pressedOk = false;
};

std::wstring ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    path.erase(path.find_last_of(L'\\') + 1);
    return path;
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void CreateMarker(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
}

void Poll(ShotState& state) {
    ++state.ticks;
    const HWND report = FindWindowW(zt::errordisplay::kReportWindowClass, nullptr);
    if (report == nullptr || !IsWindowVisible(report))
        return;
    if (!state.readyAnnounced && ++state.ticksShown >= kTicksShownBeforeReady) {
        RedrawWindow(report, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        CreateMarker(state.folder + L"errorshot.ready");
        state.readyAnnounced = true;
    }
    const bool done = FileExists(state.folder + L"errorshot.done");
    if (done || state.ticks > kTickLimit) {
        state.pressedOk = done;
        PostMessageW(GetDlgItem(report, IDOK), BM_CLICK, 0, 0);
    }
}

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* state = reinterpret_cast<ShotState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_TIMER && wParam == kPollTimer && state != nullptr) {
        Poll(*state);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

int ShowOneReport(HINSTANCE instance, ShotState& state) {
    // The real module lies one folder up, beside the program it belongs to.
    const std::wstring moduleFolder = state.folder + L"..";
    SetDllDirectoryW(moduleFolder.c_str());

    WNDCLASSEXW ownerClass{};
    ownerClass.cbSize = sizeof ownerClass;
    ownerClass.lpfnWndProc = &OwnerProc;
    ownerClass.hInstance = instance;
    ownerClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    ownerClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    ownerClass.lpszClassName = L"ZtErrorShotOwner";
    if (RegisterClassExW(&ownerClass) == 0)
        return 10;
    const HWND owner = CreateWindowExW(
        0, ownerClass.lpszClassName, L"GESTIÓN GENERAL - Importar Conexiones BDE a Alvenor (1.0.0.0)",
        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 40, 40, 620, 420, nullptr, nullptr, instance, &state);
    if (owner == nullptr)
        return 11;
    ShowWindow(owner, SW_SHOWNORMAL);
    UpdateWindow(owner);
    SetTimer(owner, kPollTimer, kPollMilliseconds, nullptr);

    const zt::Exception error(L"Debe seleccionar al menos un alias para importar.");
    try {
        zt::ReportToErrorModule(
            error, zt::ErrorReportSource{
                       .ownerWindow = [owner] { return owner; },
                       .title = [] { return std::wstring(L"Importar Conexiones BDE a Alvenor"); },
                   });
    } catch (const zt::Exception&) {
        return 12;
    }
    KillTimer(owner, kPollTimer);
    const bool ownerBack = IsWindowEnabled(owner) != FALSE;
    DestroyWindow(owner);
    if (!state.readyAnnounced)
        return 13; // the module returned without showing anything
    if (!state.pressedOk)
        return 14;
    return ownerBack ? 0 : 15;
}

} // namespace

// The virtual desktop does not pass the exit code on, so it is also left in "errorshot.result".
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    ShotState state{.folder = ProgramFolder()};
    DeleteFileW((state.folder + L"errorshot.ready").c_str());
    const int result = ShowOneReport(instance, state);
    const std::string text = std::to_string(result);
    const HANDLE file = CreateFileW((state.folder + L"errorshot.result").c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(file);
    }
    return result;
}
