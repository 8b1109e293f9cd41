#include "runtime/Format.h"

namespace zt {

std::wstring IntToStr(long long value) { return std::to_wstring(value); }

std::wstring HexUpper(std::uint64_t value, int minDigits) {
    static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    std::wstring digits;
    do {
        digits.insert(digits.begin(), kDigits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    if (static_cast<int>(digits.size()) < minDigits)
        digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), L'0');
    return digits;
}

std::wstring FormatS(std::wstring_view pattern, std::initializer_list<std::wstring_view> args) {
    std::wstring out;
    auto next = args.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == L'%' && i + 1 < pattern.size()) {
            if (pattern[i + 1] == L's') {
                if (next != args.end())
                    out += *next++;
                ++i;
                continue;
            }
            if (pattern[i + 1] == L'%') {
                out += L'%';
                ++i;
                continue;
            }
        }
        out += pattern[i];
    }
    return out;
}

} // namespace zt
