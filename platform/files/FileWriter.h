#pragma once
// The steps of saving that a test cannot make fail on demand on a real disk, kept apart so that they
// can be stood in for: writing the bytes (a disk that fills up) and putting the new file in place (a
// rename that another program gets in the way of).
#include <string>
#include <string_view>

#include <windows.h>

namespace zt {

class FileWriter {
public:
    virtual ~FileWriter() = default;
    // True when every byte reached the file.
    virtual bool WriteAll(HANDLE file, std::string_view bytes) const = 0;
    // ReplaceFileW(target, replacement, backup): the target becomes backup and replacement becomes the
    // target. On failure, GetLastError tells how far it got.
    virtual bool Replace(const std::wstring& target, const std::wstring& replacement,
                         const std::wstring& backup) const = 0;
};

class SystemFileWriter : public FileWriter {
public:
    bool WriteAll(HANDLE file, std::string_view bytes) const override;
    bool Replace(const std::wstring& target, const std::wstring& replacement,
                 const std::wstring& backup) const override;
};

} // namespace zt
