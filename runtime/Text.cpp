#include "runtime/Text.h"

#include <windows.h>

namespace zt {

std::wstring Trim(std::wstring_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && text[first] <= L' ')
        ++first;
    while (last > first && text[last - 1] <= L' ')
        --last;
    return std::wstring(text.substr(first, last - first));
}

std::wstring UpperCaseAscii(std::wstring_view text) {
    std::wstring out(text);
    for (wchar_t& c : out)
        if (c >= L'a' && c <= L'z')
            c = static_cast<wchar_t>(c - L'a' + L'A');
    return out;
}

bool SameTextAscii(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() && UpperCaseAscii(a) == UpperCaseAscii(b);
}

bool SameTextLocale(std::wstring_view a, std::wstring_view b) {
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

} // namespace zt
