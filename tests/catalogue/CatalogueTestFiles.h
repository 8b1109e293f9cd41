#pragma once
// The built files that the catalogue's and the engine's tests put in scratch folders, and running a
// program in one.
#include "tests/support/Bytes.h"
#include "tests/support/ScratchFolder.h"

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace zt::test {

std::filesystem::path EngineDll();                           // bin/engine/IDAPI32.DLL
std::filesystem::path ProbeProgram();                        // bin/catalogue_probe.exe
std::filesystem::path FakeEngineDll(std::wstring_view kind); // bin/catalogue-fakes/<kind>/IDAPI32.DLL

void CopyInto(const std::filesystem::path& file, const std::filesystem::path& folder);

// Joins expected output lines, each ending in LF as the probe prints them.
std::wstring Lines(std::initializer_list<std::wstring_view> lines);

struct ProgramRun {
    bool ended = false; // false: it did not end in time and was stopped
    std::uint32_t exitCode = 0;
    std::wstring output; // its standard output, read as UTF-8
};

// Runs program with args (each quoted) in workDir, its output going to a file of its own.
ProgramRun RunProgram(const std::filesystem::path& program, const std::vector<std::wstring>& args,
                      const std::filesystem::path& workDir, std::uint32_t timeoutMs = 60'000);

} // namespace zt::test
