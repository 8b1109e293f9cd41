#include "tests/support/ScratchFolder.h"

#include "runtime/ExecutableFileName.h"

#include <atomic>
#include <windows.h>

namespace zt::test {
namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() {
    static std::atomic<unsigned> counter{0};
    path_ = fs::temp_directory_path() /
            (L"zt-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter));
    fs::remove_all(path_);
    fs::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code error;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(path_, error))
        SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL); // read-only files too
    // A program that has just ended may still hold its files for a moment under Wine: poll, bounded.
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::remove_all(path_, error);
        if (!error && !fs::exists(path_, error))
            return;
        Sleep(50);
    }
}

fs::path ScratchFolder::Sub(std::wstring_view name) const {
    const fs::path sub = path_ / name;
    fs::create_directories(sub);
    return sub;
}

fs::path ScratchFolder::CopyIn(const fs::path& file) const {
    const fs::path target = path_ / file.filename();
    fs::copy_file(file, target, fs::copy_options::overwrite_existing);
    return target;
}

std::set<std::wstring> ScratchFolder::Entries() const {
    std::set<std::wstring> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(path_))
        names.insert(entry.path().filename().wstring());
    return names;
}

fs::path ExecutableFolder() {
    return fs::path(ExecutableFileName()).parent_path();
}

} // namespace zt::test
