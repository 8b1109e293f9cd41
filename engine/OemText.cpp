#include "engine/OemText.h"

#include <windows.h>

namespace zt::engine {

std::string ToOemBytes(std::wstring_view text) {
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_OEMCP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_OEMCP, 0, text.data(), length, out.data(), size, nullptr, nullptr);
    return out;
}

} // namespace zt::engine
