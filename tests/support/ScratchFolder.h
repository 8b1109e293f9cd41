#pragma once
// A fresh folder of a test's own under the temporary folder, removed with all it holds at the end.
#include <filesystem>
#include <set>
#include <string>
#include <string_view>

namespace zt::test {

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The full path of a file in the folder.
    std::wstring File(std::wstring_view name) const { return (path_ / name).wstring(); }
    // A subfolder, created when missing.
    std::filesystem::path Sub(std::wstring_view name) const;
    // Copies a file in under its own name and returns where it now is.
    std::filesystem::path CopyIn(const std::filesystem::path& file) const;
    // The names of what the folder holds.
    std::set<std::wstring> Entries() const;

private:
    std::filesystem::path path_;
};

// The folder of the running executable, where the build puts every program and library.
std::filesystem::path ExecutableFolder();

} // namespace zt::test
