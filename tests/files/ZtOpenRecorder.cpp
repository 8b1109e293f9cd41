// The stand-in "open" handler of ".ini" documents (see OpenRecorder.h).
//   ZtOpenRecorder --register   registers this program as the current user's handler and exits
//   ZtOpenRecorder <anything>   appends its command line to the log
#include "tests/files/OpenRecorder.h"

#include <exception>
#include <memory>
#include <string>

#include <windows.h>

namespace {

std::wstring OwnPath() {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path;
}

std::wstring LogPath() {
    std::wstring value(32'768, L'\0');
    const DWORD length =
        GetEnvironmentVariableW(zt::test::kOpenLogVariable, value.data(), static_cast<DWORD>(value.size()));
    if (length > 0 && length < value.size())
        return value.substr(0, length);
    const std::wstring self = OwnPath();
    return self.substr(0, self.find_last_of(L"\\/") + 1) + L"ZtOpenRecorder.log";
}

std::string ToUtf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                        nullptr);
    return bytes;
}

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};

// One write per line, so that a reader polling the log never sees half of one.
bool AppendLine(const std::wstring& logPath, const std::string& line) {
    const HANDLE opened = CreateFileW(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE)
        return false;
    const std::unique_ptr<void, HandleCloser> log(opened);
    DWORD written = 0;
    return WriteFile(log.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
           written == line.size();
}

} // namespace

int main() {
    const std::wstring commandLine = GetCommandLineW();
    if (commandLine.ends_with(L" --register")) {
        try {
            zt::test::RegisterOpenRecorder(OwnPath());
            return 0;
        } catch (const std::exception&) {
            return 2;
        }
    }
    return AppendLine(LogPath(), ToUtf8(commandLine) + "\r\n") ? 0 : 1;
}
