#include "ScratchFolder.h"

#include <atomic>
#include <windows.h>

namespace zt::e2e {

ScratchFolder::ScratchFolder() {
    static std::atomic<int> counter{0};
    const std::wstring name =
        L"zt-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
    path_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path ScratchFolder::CopyIn(const std::filesystem::path& file) const {
    const std::filesystem::path target = path_ / file.filename();
    std::filesystem::copy_file(file, target, std::filesystem::copy_options::overwrite_existing);
    return target;
}

std::filesystem::path ExecutableFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::filesystem::path(path).parent_path();
}

} // namespace zt::e2e
