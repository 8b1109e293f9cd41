// ZtDriver.exe: the end-to-end driver on the command line, for the demo and the screenshots.
// Commands are listed in README.md beside this file.
#include "Input.h"
#include "MainWindow.h"
#include "Process.h"
#include "WindowTree.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace zt::e2e;

std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size, nullptr,
                        nullptr);
    return out;
}

milliseconds Seconds(const std::vector<std::wstring>& args, std::size_t index, int fallback) {
    return milliseconds(1000LL * (args.size() > index ? std::stoi(args[index]) : fallback));
}

HWND MainWindow(milliseconds bound) {
    return WaitForVisibleWindow(0, kMainWindowClass, bound);
}

DWORD OwnerProcess(HWND hwnd) {
    DWORD id = 0;
    GetWindowThreadProcessId(hwnd, &id);
    return id;
}

void Dump(HWND hwnd, int depth) {
    const WindowInfo info = Describe(hwnd);
    std::printf("%*s%s \"%s\" %d,%d %dx%d%s style=%08lX exstyle=%08lX\n", depth * 2, "",
                Utf8(info.className).c_str(), Utf8(info.text).c_str(), info.rect.left, info.rect.top,
                info.rect.width, info.rect.height, info.enabled ? "" : " disabled",
                static_cast<unsigned long>(info.style), static_cast<unsigned long>(info.exStyle));
    if (ClassName(hwnd) == L"ListBox")
        for (const ListItem& item : ListBoxItems(hwnd))
            std::printf("%*s[%c] %s\n", depth * 2 + 2, "", item.data == 1 ? 'x' : ' ',
                        Utf8(item.text).c_str());
    for (HWND child : Children(hwnd))
        Dump(child, depth + 1);
}

int Close(milliseconds bound) {
    HWND window = MainWindow(bound);
    const Process process = Process::Attach(OwnerProcess(window));
    CloseWindowAsUser(window);
    const DWORD code = process.WaitForExit(bound);
    std::printf("exit code %lu\n", static_cast<unsigned long>(code));
    return static_cast<int>(code);
}

int Show(const std::vector<std::wstring>& args) {
    const std::filesystem::path ready = args[4];
    const std::filesystem::path done = args[5];
    const milliseconds bound = Seconds(args, 6, 120);
    RunningApp app(args[2], args[3]);
    std::FILE* marker = _wfopen(ready.c_str(), L"w");
    if (marker == nullptr)
        throw std::runtime_error("cannot write " + Utf8(ready.wstring()));
    std::fclose(marker);
    WaitFor([&] { return std::filesystem::exists(done); }, "the file " + Utf8(done.wstring()), bound);
    const DWORD code = app.Close();
    std::printf("exit code %lu\n", static_cast<unsigned long>(code));
    return static_cast<int>(code);
}

// Lets the script outside take a screenshot: <name>.ready appears, then waits for <name>.done.
void Pause(const std::filesystem::path& shots, const std::wstring& name) {
    const std::filesystem::path ready = shots / (name + L".ready");
    const std::filesystem::path done = shots / (name + L".done");
    std::FILE* marker = _wfopen(ready.c_str(), L"w");
    if (marker == nullptr)
        throw std::runtime_error("cannot write " + Utf8(ready.wstring()));
    std::fclose(marker);
    WaitFor([&] { return std::filesystem::exists(done); }, "the file " + Utf8(done.wstring()),
            std::chrono::seconds(60));
}

// Painted, with its counter past the first item ("1 de 6", ...). Asks the window nothing (another
// process's caption is read from the system), so that it can be read while its program is held still.
bool ShowsAnItem(HWND dialog) {
    if (GetUpdateRect(dialog, nullptr, FALSE))
        return false;
    const std::vector<HWND> parts = Descendants(dialog);
    for (HWND part : parts) {
        if (GetUpdateRect(part, nullptr, FALSE))
            return false;
    }
    for (HWND part : parts) {
        wchar_t caption[128] = {};
        GetWindowTextW(part, caption, static_cast<int>(std::size(caption)));
        const std::wstring_view text = caption;
        if (text.find(L" de ") != std::wstring_view::npos && !text.starts_with(L"0 "))
            return true;
    }
    return false;
}

// The whole job as a user does it: the window as discovery left it, "&Importar", the message box.
int Import(const std::vector<std::wstring>& args) {
    const std::filesystem::path shots = args[4];
    RunningApp app(args[2], args[3]);
    Pause(shots, L"main-window");
    ClickButton(FindDescendant(app.Window(), L"Button", L"&Importar"));
    // A run on a small catalogue is over in moments: the program runs in short slices, held still in
    // between, until its dialog shows an item, painted and whole (as many parts as it ever had: the
    // end of a run destroys them one by one), and is held still for the picture.
    const DWORD id = app.GetProcess().Id();
    const auto runStart = std::chrono::steady_clock::now();
    std::size_t mostParts = 0;
    // One look while the program is held still: true once there is nothing more to wait for.
    const auto look = [&] {
        const SuspendedProcess still(id);
        if (!MessageBoxes(id).empty())
            return true;
        const std::vector<HWND> dialogs = TopWindows(id, L"TFrmInfoP50");
        if (dialogs.empty() || !IsWindowVisible(dialogs.front()))
            return false;
        const std::size_t parts = Descendants(dialogs.front()).size();
        mostParts = std::max(mostParts, parts);
        if (parts < mostParts || !ShowsAnItem(dialogs.front()))
            return false;
        Pause(shots, L"progress-dialog");
        return true;
    };
    while (!look() && std::chrono::steady_clock::now() - runStart < std::chrono::seconds(120))
        Sleep(1);
    const HWND box = WaitForMessageBox(app.GetProcess().Id(), std::chrono::seconds(120));
    const MessageBoxInfo info = ReadMessageBox(box);
    std::printf("message box \"%s\":\n%s\n", Utf8(info.title).c_str(), Utf8(info.text).c_str());
    Pause(shots, L"message-box");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    const DWORD code = app.Close();
    std::printf("exit code %lu\n", static_cast<unsigned long>(code));
    return static_cast<int>(code);
}

int Usage() {
    std::fputs("usage: ZtDriver start <exe> [<folder>]\n"
               "       ZtDriver wait [<seconds>]\n"
               "       ZtDriver dump [<seconds>]\n"
               "       ZtDriver close [<seconds>]\n"
               "       ZtDriver show <exe> <folder> <ready-file> <done-file> [<seconds>]\n"
               "       ZtDriver import <exe> <folder> <screenshot-folder>\n",
               stderr);
    return 2;
}

int Run(const std::vector<std::wstring>& args) {
    if (args.size() < 2)
        return Usage();
    UsePhysicalPixels();
    const std::wstring& command = args[1];
    if (command == L"start" && args.size() >= 3) {
        const std::wstring folder = args.size() >= 4 ? args[3] : std::wstring{};
        Process process = Process::Launch(args[2], folder);
        HWND window = WaitForVisibleWindow(process.Id(), kMainWindowClass);
        WaitPainted(window);
        process.Detach();
        std::printf("pid %lu window %p\n", static_cast<unsigned long>(process.Id()),
                    static_cast<void*>(window));
        return 0;
    }
    if (command == L"wait") {
        HWND window = MainWindow(Seconds(args, 2, 20));
        WaitPainted(window);
        return 0;
    }
    if (command == L"dump") {
        Dump(MainWindow(Seconds(args, 2, 20)), 0);
        return 0;
    }
    if (command == L"close")
        return Close(Seconds(args, 2, 20));
    if (command == L"show" && args.size() >= 6)
        return Show(args);
    if (command == L"import" && args.size() >= 5)
        return Import(args);
    return Usage();
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    try {
        return Run(std::vector<std::wstring>(argv, argv + argc));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "ZtDriver: %s\n", e.what());
        return 3;
    }
}
