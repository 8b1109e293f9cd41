#pragma once
// The few number formats that the system's messages use.
#include <cstdint>
#include <string>

namespace zt {

// Plain decimal, with a leading minus sign when negative.
std::wstring IntToStr(long long value);

// "%.Nx" with upper-case digits: hexadecimal, zero-padded on the left to at least minDigits.
std::wstring HexUpper(std::uint64_t value, int minDigits);

// Replaces each "%s" of pattern, in order, with the next argument ("%%" gives "%").
std::wstring FormatS(std::wstring_view pattern, std::initializer_list<std::wstring_view> args);

} // namespace zt
