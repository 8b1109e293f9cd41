#pragma once
// Another process that keeps a file open without sharing for as long as the object lives.
#include <memory>
#include <string>
#include <windows.h>

namespace zt::test {

class FileHolder {
public:
    explicit FileHolder(const std::wstring& path);
    ~FileHolder();
    FileHolder(const FileHolder&) = delete;
    FileHolder& operator=(const FileHolder&) = delete;

    // True once the holder has the file; false when it ended or did not get there within the bound.
    bool WaitUntilHeld() const;

private:
    struct HandleCloser {
        void operator()(HANDLE handle) const { CloseHandle(handle); }
    };
    using Handle = std::unique_ptr<void, HandleCloser>;
    Handle ready_;
    Handle release_;
    Handle process_;
};

} // namespace zt::test
