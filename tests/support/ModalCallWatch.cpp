#include "tests/support/ModalCallWatch.h"

#include <cstdio>
#include <cwchar>

namespace zt::test {
namespace {

BOOL CALLBACK FindVisibleDialog(HWND window, LPARAM result) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wcscmp(className, L"#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
}

} // namespace

ModalCallWatch::ModalCallWatch(DWORD thread, std::chrono::milliseconds bound, std::string what,
                               std::function<void(HWND box)> look)
    : thread_(thread), bound_(bound), what_(std::move(what)), look_(std::move(look)),
      watcher_([this](const std::stop_token& stop) { Watch(stop); }) {}

int ModalCallWatch::Finish() {
    watcher_.request_stop();
    if (watcher_.joinable())
        watcher_.join();
    return answered_;
}

void ModalCallWatch::Watch(const std::stop_token& stop) {
    const auto deadline = std::chrono::steady_clock::now() + bound_;
    HWND lastAnswered = nullptr;
    while (!stop.stop_requested()) {
        HWND box = nullptr;
        EnumThreadWindows(thread_, FindVisibleDialog, reinterpret_cast<LPARAM>(&box));
        if (box != nullptr && box != lastAnswered) {
            if (look_)
                look_(box);
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
            lastAnswered = box;
            ++answered_;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            std::fprintf(stderr,
                         "timed out after %lld ms waiting for %s (%d message box(es) answered); ending the "
                         "test program\n",
                         static_cast<long long>(bound_.count()), what_.c_str(), answered_.load());
            std::fflush(stderr);
            TerminateProcess(GetCurrentProcess(), 1);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

} // namespace zt::test
