#include "tests/support/Bytes.h"

#include "runtime/CodePages.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <windows.h>

namespace zt::test {

std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + ToUtf8(file.wstring()));
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + ToUtf8(file.wstring()));
}

std::string ToUtf8(std::wstring_view text) {
    return ToCodePage(text, CP_UTF8);
}

std::wstring FromUtf8(std::string_view bytes) {
    return FromCodePage(bytes, CP_UTF8);
}

} // namespace zt::test
