#pragma once
// Texts between the system and the engine: the engine speaks the OEM code page, the system Unicode,
// by way of the ANSI code page.
#include <cstddef>
#include <string>
#include <string_view>

namespace zt::platform {

std::string ToEngineText(std::wstring_view text);
std::wstring FromEngineText(std::string_view oemBytes);

// A fixed-size text field of an engine record: up to its first NUL, at most maxBytes.
std::string_view FieldText(const char* field, std::size_t maxBytes);

} // namespace zt::platform
