#pragma once
// The engine hands every name and value over in the OEM code page.
#include <string>
#include <string_view>

namespace zt::engine {

std::string ToOemBytes(std::wstring_view text);

} // namespace zt::engine
