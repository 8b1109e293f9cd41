#include "runtime/CodePages.h"

#include "runtime/Exceptions.h"

#include <windows.h>

namespace zt {

std::string ToCodePage(std::wstring_view text, unsigned codePage) {
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        RaiseLastOSError();
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), length, out.data(), size, nullptr, nullptr);
    return out;
}

std::wstring FromCodePage(std::string_view bytes, unsigned codePage) {
    if (bytes.empty())
        return {};
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
    if (size <= 0)
        RaiseLastOSError();
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), length, out.data(), size);
    return out;
}

std::string ToAnsi(std::wstring_view text) { return ToCodePage(text, CP_ACP); }
std::wstring FromAnsi(std::string_view bytes) { return FromCodePage(bytes, CP_ACP); }
std::string ToOem(std::wstring_view text) { return ToCodePage(text, CP_OEMCP); }
std::wstring FromOem(std::string_view bytes) { return FromCodePage(bytes, CP_OEMCP); }
std::string ConvertAnsiToOem(std::string_view bytes) { return ToOem(FromAnsi(bytes)); }
std::string ConvertOemToAnsi(std::string_view bytes) { return ToAnsi(FromOem(bytes)); }

} // namespace zt
