#pragma once
// Test helpers: a scratch folder removed at the end, the built files to put in it, and running a
// program in it.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zt::test {

class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // A subfolder, created when missing.
    std::filesystem::path Sub(std::wstring_view name) const;

private:
    std::filesystem::path path_;
};

// The folder of the running test program (bin/), where the built programs and DLLs are found.
std::filesystem::path BuildBin();
std::filesystem::path EngineDll();                           // bin/engine/IDAPI32.DLL
std::filesystem::path ProbeProgram();                        // bin/catalogue_probe.exe
std::filesystem::path FakeEngineDll(std::wstring_view kind); // bin/catalogue-fakes/<kind>/IDAPI32.DLL

void WriteBytes(const std::filesystem::path& file, std::string_view bytes);
void CopyInto(const std::filesystem::path& file, const std::filesystem::path& folder);

std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view bytes);

struct ProgramRun {
    bool ended = false; // false: it did not end in time and was stopped
    std::uint32_t exitCode = 0;
    std::wstring output; // its standard output, read as UTF-8
};

// Runs program with args (each quoted) in workDir, its output going to a file of the test folder.
ProgramRun RunProgram(const std::filesystem::path& program, const std::vector<std::wstring>& args,
                      const std::filesystem::path& workDir, std::uint32_t timeoutMs = 60'000);

} // namespace zt::test
