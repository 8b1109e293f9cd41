#include "tests/files/TestFolder.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>

namespace zt::test {
namespace {

struct SearchCloser {
    void operator()(HANDLE search) const { FindClose(search); }
};

} // namespace

TestFolder::TestFolder() {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::wstring candidate = std::wstring(temp) + L"zt-files-" + std::to_wstring(GetCurrentProcessId()) +
                                 L"-" + std::to_wstring(counter.QuadPart + attempt);
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            path_ = std::move(candidate);
            return;
        }
    }
    throw std::runtime_error("cannot create a scratch folder");
}

TestFolder::~TestFolder() {
    for (const std::wstring& name : Entries()) {
        const std::wstring file = File(name);
        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(file.c_str());
    }
    RemoveDirectoryW(path_.c_str());
}

std::set<std::wstring> TestFolder::Entries() const {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW data{};
    const HANDLE found = FindFirstFileW((path_ + L"\\*").c_str(), &data);
    if (found == INVALID_HANDLE_VALUE)
        return names;
    const std::unique_ptr<void, SearchCloser> search(found);
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..")
            names.insert(name);
    } while (FindNextFileW(search.get(), &data));
    return names;
}

std::string ReadBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read a test file");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write a test file");
}

std::wstring ExecutableFolder() {
    wchar_t module[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring path(module, length);
    return path.substr(0, path.find_last_of(L"\\/"));
}

} // namespace zt::test
