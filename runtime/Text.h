#pragma once
// Text helpers with the system's own rules.
#include <string>
#include <string_view>

namespace zt {

// Removes every character of code U+0020 or below from both ends; inner characters and other
// kinds of space (the no-break space among them) stay.
std::wstring Trim(std::wstring_view text);

// Maps only the ASCII letters a to z onto A to Z.
std::wstring UpperCaseAscii(std::wstring_view text);

// Equality without regard to the letter case of ASCII letters only.
bool SameTextAscii(std::wstring_view a, std::wstring_view b);

// Equality under the user locale's case-insensitive string comparison.
bool SameTextLocale(std::wstring_view a, std::wstring_view b);

} // namespace zt
