#pragma once
// A child process of the driver; one still running when the object goes is ended.
#include "Wait.h"

#include <string>
#include <vector>
#include <windows.h>

namespace zt::e2e {

class Process {
public:
    // Starts `exe` with `workingDirectory` as its current folder (the exe's folder when empty).
    static Process Launch(const std::wstring& exe, const std::wstring& workingDirectory = {},
                          const std::wstring& arguments = {});
    // Starts `exe` with its first thread held still until Resume, so that a watch on it can be set up
    // first; its standard output goes to `output` (inherited) when that is given.
    static Process LaunchHeld(const std::wstring& exe, const std::wstring& workingDirectory,
                              const std::wstring& arguments, HANDLE output = nullptr);
    // Takes hold of a running process, e.g. the owner of a window found on the desktop.
    static Process Attach(DWORD processId);

    Process(Process&& other) noexcept;
    Process& operator=(Process&&) = delete;
    Process(const Process&) = delete;
    ~Process();

    DWORD Id() const { return id_; }
    HANDLE Handle() const { return handle_; }
    bool Running() const;
    // Waits for the end of the process and returns its exit code.
    DWORD WaitForExit(milliseconds bound = kDefaultBound) const;
    // Leaves the process running when this object goes.
    void Detach() { detached_ = true; }
    // Lets a process started by LaunchHeld run.
    void Resume();

private:
    Process(HANDLE handle, DWORD id) : handle_(handle), id_(id) {}
    HANDLE handle_ = nullptr;
    HANDLE heldThread_ = nullptr;
    DWORD id_ = 0;
    bool detached_ = false;
};

// Every thread of a process held still for the lifetime of the object, e.g. to take a screenshot of
// a window that would otherwise be gone.
class SuspendedProcess {
public:
    explicit SuspendedProcess(DWORD processId);
    ~SuspendedProcess();
    SuspendedProcess(const SuspendedProcess&) = delete;
    SuspendedProcess& operator=(const SuspendedProcess&) = delete;

private:
    std::vector<HANDLE> threads_;
};

} // namespace zt::e2e
