#pragma once
// Whole files as bytes, and UTF-8 text, for tests.
#include <filesystem>
#include <string>
#include <string_view>

namespace zt::test {

// Raise std::runtime_error when the file cannot be read or written.
std::string ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, std::string_view bytes);

std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view bytes);

} // namespace zt::test
