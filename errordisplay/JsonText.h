#pragma once
// Just enough JSON to write one report per line.
#include <string>
#include <string_view>

namespace zt::errordisplay {

// Appends text as a JSON string in UTF-8, quotes included: quotes, backslashes and control
// characters escaped, other characters as they are; a lone surrogate becomes U+FFFD.
void AppendJsonString(std::string& out, std::wstring_view text);

} // namespace zt::errordisplay
