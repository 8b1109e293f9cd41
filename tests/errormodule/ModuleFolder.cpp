#include "ModuleFolder.h"

#include "tests/support/ScratchFolder.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace zt::testing {
namespace {

// With its trailing backslash, as the paths below are joined to it.
std::wstring ProgramFolder() {
    return zt::test::ExecutableFolder().wstring() + L"\\";
}

std::wstring CurrentDirectory() {
    std::wstring path(GetCurrentDirectoryW(0, nullptr), L'\0');
    path.resize(GetCurrentDirectoryW(static_cast<DWORD>(path.size()), path.data()));
    return path;
}

} // namespace

void ModuleFolderTest::SetUp() {
    folder_ = ProgramFolder();
    // The current folder is also searched for libraries; here it is the bin folder, which holds the
    // real module. Our own folder keeps every report to the build under test.
    previousDirectory_ = CurrentDirectory();
    ASSERT_TRUE(SetCurrentDirectoryW(folder_.c_str()));
    RemoveModule();
    DeleteFileW((folder_ + L"ZtError.log").c_str());
    ASSERT_FALSE(ModuleLoaded());

    owner_ = CreateWindowExW(0, L"STATIC", kOwnerCaption, WS_OVERLAPPEDWINDOW, 100, 100, 400, 300, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(owner_, nullptr);
    source_.ownerWindow = [this] { return owner_; };
    source_.title = [this] {
        return L"Importar Conexiones BDE a Alvenor " + std::to_wstring(++titleRequests_);
    };
}

void ModuleFolderTest::TearDown() {
    if (owner_ != nullptr)
        DestroyWindow(owner_);
    RemoveModule();
    DeleteFileW((folder_ + L"ZtError.log").c_str());
    SetCurrentDirectoryW(previousDirectory_.c_str());
}

void ModuleFolderTest::Install(const wchar_t* build) const {
    std::wstring source = folder_ + L"..\\" + build;
    if (!source.empty() && source.back() != L'\\')
        source += L'\\';
    source += L"ZtError.dll";
    ASSERT_TRUE(CopyFileW(source.c_str(), (folder_ + L"ZtError.dll").c_str(), FALSE))
        << "copying the module build " << std::string(source.begin(), source.end()) << ": error "
        << GetLastError();
}

void ModuleFolderTest::RemoveModule() const {
    const std::wstring path = folder_ + L"ZtError.dll";
    ASSERT_TRUE(DeleteFileW(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND)
        << "error " << GetLastError();
}

std::vector<std::string> ModuleFolderTest::LogLines() const {
    std::ifstream log(std::filesystem::path(folder_ + L"ZtError.log"), std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(log, line);)
        lines.push_back(line);
    return lines;
}

std::string JsonField(const std::string& line, const std::string& name) {
    const std::string key = "\"" + name + "\":";
    const std::size_t start = line.find(key);
    if (start == std::string::npos)
        return "<missing " + name + ">";
    std::size_t end = start + key.size();
    if (line[end] == '"') {
        for (++end; end < line.size() && line[end] != '"'; ++end)
            if (line[end] == '\\')
                ++end;
        ++end;
    } else if (line[end] == '[') {
        end = line.find(']', end) + 1;
    } else {
        end = line.find_first_of(",}", end);
    }
    return line.substr(start + key.size(), end - start - key.size());
}

} // namespace zt::testing
