#include "tests/catalogue/TestFolder.h"

#include <atomic>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <windows.h>

namespace zt::test {
namespace fs = std::filesystem;

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const {
        if (handle != nullptr && handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
};
using Handle = std::unique_ptr<void, HandleCloser>;

std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A program that has just ended may still hold its files for a moment under Wine: poll, bounded.
void RemoveSoon(const fs::path& path) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::error_code error;
        fs::remove_all(path, error);
        if (!error && !fs::exists(path, error))
            return;
        Sleep(50);
    }
}

} // namespace

TestFolder::TestFolder() {
    static std::atomic<unsigned> counter{0};
    path_ = fs::temp_directory_path() /
            (L"zt-catalogue-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter));
    fs::remove_all(path_);
    fs::create_directories(path_);
}

TestFolder::~TestFolder() {
    RemoveSoon(path_);
}

fs::path TestFolder::Sub(std::wstring_view name) const {
    const fs::path sub = path_ / name;
    fs::create_directories(sub);
    return sub;
}

fs::path BuildBin() {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return fs::path(path).parent_path();
}

fs::path EngineDll() {
    return BuildBin() / L"engine" / L"IDAPI32.DLL";
}
fs::path ProbeProgram() {
    return BuildBin() / L"catalogue_probe.exe";
}
fs::path FakeEngineDll(std::wstring_view kind) {
    return BuildBin() / L"catalogue-fakes" / kind / L"IDAPI32.DLL";
}

void WriteBytes(const fs::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

void CopyInto(const fs::path& file, const fs::path& folder) {
    fs::copy_file(file, folder / file.filename(), fs::copy_options::overwrite_existing);
}

std::string ToUtf8(std::wstring_view text) {
    if (text.empty())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr,
                        nullptr);
    return out;
}

std::wstring FromUtf8(std::string_view bytes) {
    if (bytes.empty())
        return {};
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), size);
    return out;
}

ProgramRun RunProgram(const fs::path& program, const std::vector<std::wstring>& args, const fs::path& workDir,
                      std::uint32_t timeoutMs) {
    static std::atomic<unsigned> counter{0};
    const fs::path outputFile =
        fs::temp_directory_path() /
        (L"zt-probe-output-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter));
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    ProgramRun run;
    {
        const Handle output(CreateFileW(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (output.get() == INVALID_HANDLE_VALUE)
            throw std::runtime_error("cannot create the output file");

        std::wstring commandLine = L"\"" + program.wstring() + L"\"";
        for (const std::wstring& arg : args)
            commandLine += L" \"" + arg + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = output.get();
        startup.hStdError = output.get();
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                            nullptr, workDir.c_str(), &startup, &process))
            throw std::runtime_error("cannot start " + program.string() + ", error " +
                                     std::to_string(GetLastError()));
        const Handle processHandle(process.hProcess);
        const Handle threadHandle(process.hThread);
        if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
            DWORD exitCode = 0;
            GetExitCodeProcess(process.hProcess, &exitCode);
            run.ended = true;
            run.exitCode = exitCode;
        } else {
            TerminateProcess(process.hProcess, 1);
            WaitForSingleObject(process.hProcess, timeoutMs);
        }
    }
    run.output = FromUtf8(ReadBytes(outputFile));
    RemoveSoon(outputFile);
    return run;
}

} // namespace zt::test
