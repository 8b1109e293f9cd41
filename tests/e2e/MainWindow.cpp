#include "MainWindow.h"

#include "Input.h"

namespace zt::e2e {

RunningApp::RunningApp(const std::filesystem::path& exe, const std::filesystem::path& folder,
                       milliseconds bound)
    : process_(Process::Launch(exe.wstring(), folder.wstring())) {
    window_ = WaitForVisibleWindow(process_.Id(), kMainWindowClass, bound);
    WaitPainted(window_, bound);
}

DWORD RunningApp::Close(milliseconds bound) {
    CloseWindowAsUser(window_);
    return process_.WaitForExit(bound);
}

} // namespace zt::e2e
