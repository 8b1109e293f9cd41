#include "Process.h"

#include <stdexcept>
#include <tlhelp32.h>
#include <utility>

namespace zt::e2e {
namespace {

std::string Narrow(const std::wstring& text) {
    std::string out(static_cast<std::size_t>(
                        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr)),
                    '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), static_cast<int>(out.size()), nullptr,
                        nullptr);
    out.pop_back();
    return out;
}

} // namespace

Process Process::Launch(const std::wstring& exe, const std::wstring& workingDirectory,
                        const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    std::wstring folder = workingDirectory;
    if (folder.empty())
        folder = exe.substr(0, exe.find_last_of(L"\\/"));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &info))
        throw std::runtime_error("cannot start " + Narrow(exe) + " (error " + std::to_string(GetLastError()) +
                                 ")");
    CloseHandle(info.hThread);
    return Process(info.hProcess, info.dwProcessId);
}

Process Process::LaunchHeld(const std::wstring& exe, const std::wstring& workingDirectory,
                            const std::wstring& arguments, HANDLE output) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (output != nullptr) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
        startup.hStdError = output;
    }
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, output != nullptr,
                        CREATE_SUSPENDED, nullptr, workingDirectory.c_str(), &startup, &info))
        throw std::runtime_error("cannot start " + Narrow(exe) + " (error " + std::to_string(GetLastError()) +
                                 ")");
    Process process(info.hProcess, info.dwProcessId);
    process.heldThread_ = info.hThread;
    return process;
}

void Process::Resume() {
    if (heldThread_ == nullptr)
        return;
    ResumeThread(heldThread_);
    CloseHandle(std::exchange(heldThread_, nullptr));
}

Process Process::Attach(DWORD processId) {
    HANDLE handle =
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, processId);
    if (handle == nullptr)
        throw std::runtime_error("cannot open process " + std::to_string(processId));
    Process process(handle, processId);
    process.detached_ = true; // not ours to end
    return process;
}

Process::Process(Process&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), heldThread_(std::exchange(other.heldThread_, nullptr)),
      id_(other.id_), detached_(other.detached_) {}

Process::~Process() {
    if (heldThread_ != nullptr)
        CloseHandle(heldThread_);
    if (handle_ == nullptr)
        return;
    if (!detached_ && Running()) {
        TerminateProcess(handle_, 99);
        WaitForSingleObject(handle_, 10000);
    }
    CloseHandle(handle_);
}

bool Process::Running() const {
    return WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT;
}

DWORD Process::WaitForExit(milliseconds bound) const {
    WaitFor([&] { return !Running(); }, "the end of process " + std::to_string(id_), bound);
    DWORD code = 0;
    GetExitCodeProcess(handle_, &code);
    return code;
}

SuspendedProcess::SuspendedProcess(DWORD processId) {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot list the threads");
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != processId)
            continue;
        if (HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID)) {
            if (SuspendThread(thread) != static_cast<DWORD>(-1))
                threads_.push_back(thread);
            else
                CloseHandle(thread);
        }
    }
    CloseHandle(snapshot);
}

SuspendedProcess::~SuspendedProcess() {
    for (HANDLE thread : threads_) {
        ResumeThread(thread);
        CloseHandle(thread);
    }
}

} // namespace zt::e2e
