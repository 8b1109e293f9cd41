#include "versioninfo/RegionalFormats.h"

#include "runtime/Exceptions.h"

#include <windows.h>

namespace zt {
namespace {

std::wstring UserLocaleInfo(LCTYPE item) {
    const int size = GetLocaleInfoW(LOCALE_USER_DEFAULT, item, nullptr, 0);
    if (size == 0)
        RaiseLastOSError();
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, item, text.data(), size) == 0)
        RaiseLastOSError();
    text.resize(static_cast<std::size_t>(size - 1));
    return text;
}

} // namespace

RegionalFormats LoadUserRegionalFormats() {
    return {LOCALE_USER_DEFAULT, UserLocaleInfo(LOCALE_SSHORTDATE), UserLocaleInfo(LOCALE_STIMEFORMAT)};
}

} // namespace zt
