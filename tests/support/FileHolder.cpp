#include "tests/support/FileHolder.h"

#include "tests/support/ScratchFolder.h"

#include <stdexcept>

namespace zt::test {

FileHolder::FileHolder(const std::wstring& path) {
    const std::wstring prefix = L"zt-holder-" + std::to_wstring(GetCurrentProcessId());
    const std::wstring readyName = prefix + L"-ready";
    const std::wstring releaseName = prefix + L"-release";
    ready_.reset(CreateEventW(nullptr, TRUE, FALSE, readyName.c_str()));
    release_.reset(CreateEventW(nullptr, TRUE, FALSE, releaseName.c_str()));
    std::wstring commandLine = L"\"" + (ExecutableFolder() / L"ZtFileHolder.exe").wstring() + L"\" \"" +
                               path + L"\" " + readyName + L" " + releaseName;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        throw std::runtime_error("cannot start ZtFileHolder.exe");
    CloseHandle(process.hThread);
    process_.reset(process.hProcess);
}

FileHolder::~FileHolder() {
    SetEvent(release_.get());
    WaitForSingleObject(process_.get(), 30'000);
}

bool FileHolder::WaitUntilHeld() const {
    const HANDLE waits[] = {ready_.get(), process_.get()};
    return WaitForMultipleObjects(2, waits, FALSE, 30'000) == WAIT_OBJECT_0;
}

} // namespace zt::test
