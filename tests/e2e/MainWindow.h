#pragma once
// ZtGnImcon.exe started from a folder of its own, and its main window once it is on the screen.
#include "Process.h"
#include "WindowTree.h"

#include <filesystem>

namespace zt::e2e {

inline constexpr const wchar_t* kMainWindowClass = L"TFrmGnImcon";

class RunningApp {
public:
    // Starts the program with `folder` as its current folder and waits until its main window is
    // shown and painted.
    RunningApp(const std::filesystem::path& exe, const std::filesystem::path& folder,
               milliseconds bound = kDefaultBound);

    Process& GetProcess() { return process_; }
    HWND Window() const { return window_; }
    // Closes the main window as a user would and returns the exit code.
    DWORD Close(milliseconds bound = kDefaultBound);

private:
    Process process_;
    HWND window_ = nullptr;
};

} // namespace zt::e2e
