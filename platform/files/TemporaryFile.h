#pragma once
// The temporary file that saving writes beside its target, "~<name>.<pid>.<n>.tmp" (<pid> the writing
// process's id in at least four upper-case hex digits, <n> eight), and the removal of those that
// earlier saves left behind. The name is made and recognised here only.
#include "platform/files/FileHandle.h"

#include <string>

#include <windows.h>

namespace zt {

// A file of a name nobody else uses in the target's folder, open for this process alone, removed again
// on every path but the one that puts it in place.
class TemporaryFile {
public:
    // Raises EFCreateError naming the target when no such file can be created.
    explicit TemporaryFile(const std::wstring& target);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    HANDLE Handle() const { return handle_.Get(); }
    const std::wstring& Path() const { return path_; }
    bool Close() { return handle_.Close(); }
    // The file now stands under another name: nothing is left to remove.
    void Placed() { path_.clear(); }

private:
    std::wstring path_;
    FileHandle handle_{INVALID_HANDLE_VALUE};
};

// Removes the temporary files of earlier saves of target (killed runs leave them) that no process holds
// open; anything else in the folder, and a file marked read-only, hidden or system, stays. Never fails.
void RemoveLeftoverTemporaryFiles(const std::wstring& target);

} // namespace zt
