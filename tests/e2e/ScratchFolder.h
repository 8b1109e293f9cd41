#pragma once
// A fresh folder under the temporary folder, removed with all it holds when the object goes.
#include <filesystem>
#include <string>

namespace zt::e2e {

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // Copies a file in under its own name and returns where it now is.
    std::filesystem::path CopyIn(const std::filesystem::path& file) const;

private:
    std::filesystem::path path_;
};

// The folder of the running executable, where the build puts every program.
std::filesystem::path ExecutableFolder();

} // namespace zt::e2e
