#include "platform/catalogue/EngineText.h"

#include "runtime/CodePages.h"

#include <cstring>

namespace zt::platform {

std::string ToEngineText(std::wstring_view text) {
    return ConvertAnsiToOem(ToAnsi(text));
}

std::wstring FromEngineText(std::string_view oemBytes) {
    return FromAnsi(ConvertOemToAnsi(oemBytes));
}

std::string_view FieldText(const char* field, std::size_t maxBytes) {
    const void* nul = std::memchr(field, '\0', maxBytes);
    return {field, nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - field) : maxBytes};
}

} // namespace zt::platform
