#include "platform/files/FileWriter.h"

#include <algorithm>

namespace zt {

bool SystemFileWriter::WriteAll(HANDLE file, std::string_view bytes) const {
    // One call for any text this program writes; the loop only matters beyond 4 GiB.
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 0x80000000u));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

bool SystemFileWriter::Replace(const std::wstring& target, const std::wstring& replacement,
                               const std::wstring& backup) const {
    return ReplaceFileW(target.c_str(), replacement.c_str(), backup.c_str(), 0, nullptr, nullptr) != 0;
}

} // namespace zt
