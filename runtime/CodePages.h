#pragma once
// Conversions between Unicode and the system's ANSI and OEM code pages, done by the system itself.
#include <string>
#include <string_view>

namespace zt {

std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view bytes);
std::string ToOem(std::wstring_view text);
std::wstring FromOem(std::string_view bytes);

// Between the two single-byte code pages, through Unicode.
std::string ConvertAnsiToOem(std::string_view bytes);
std::string ConvertOemToAnsi(std::string_view bytes);

// Any code page; no conversion flags, so what the code page cannot hold becomes its best-fit or
// default character.
std::string ToCodePage(std::wstring_view text, unsigned codePage);
std::wstring FromCodePage(std::string_view bytes, unsigned codePage);

} // namespace zt
