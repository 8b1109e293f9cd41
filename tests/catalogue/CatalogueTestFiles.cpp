#include "tests/catalogue/CatalogueTestFiles.h"

#include <memory>
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

} // namespace

fs::path EngineDll() {
    return ExecutableFolder() / L"engine" / L"IDAPI32.DLL";
}
fs::path ProbeProgram() {
    return ExecutableFolder() / L"catalogue_probe.exe";
}
fs::path FakeEngineDll(std::wstring_view kind) {
    return ExecutableFolder() / L"catalogue-fakes" / kind / L"IDAPI32.DLL";
}

std::wstring Lines(std::initializer_list<std::wstring_view> lines) {
    std::wstring out;
    for (const std::wstring_view line : lines)
        (out += line) += L'\n';
    return out;
}

void CopyInto(const fs::path& file, const fs::path& folder) {
    fs::copy_file(file, folder / file.filename(), fs::copy_options::overwrite_existing);
}

ProgramRun RunProgram(const fs::path& program, const std::vector<std::wstring>& args, const fs::path& workDir,
                      std::uint32_t timeoutMs) {
    const ScratchFolder scratch;
    const fs::path outputFile = scratch.Path() / L"output.txt";
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
    return run;
}

} // namespace zt::test
