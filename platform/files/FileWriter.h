#pragma once
// The one step of saving that touches the disk's free space, kept apart so that a failing disk can be
// stood in for where a real one is not at hand.
#include <string_view>

#include <windows.h>

namespace zt {

class FileWriter {
public:
    virtual ~FileWriter() = default;
    // True when every byte reached the file.
    virtual bool WriteAll(HANDLE file, std::string_view bytes) const = 0;
};

class SystemFileWriter final : public FileWriter {
public:
    bool WriteAll(HANDLE file, std::string_view bytes) const override;
};

} // namespace zt
