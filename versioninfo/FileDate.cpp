#include "versioninfo/FileDate.h"

#include "runtime/DateTime.h"
#include "runtime/Exceptions.h"

#include <windows.h>

namespace zt {
namespace {

SYSTEMTIME DecodeDosDateTime(DosDateTime value) {
    const auto date = static_cast<WORD>(value >> 16);
    const auto time = static_cast<WORD>(value & 0xFFFF);
    SYSTEMTIME t{};
    t.wYear = static_cast<WORD>((date >> 9) + 1980);
    t.wMonth = static_cast<WORD>((date >> 5) & 0x0F);
    t.wDay = static_cast<WORD>(date & 0x1F);
    t.wHour = static_cast<WORD>(time >> 11);
    t.wMinute = static_cast<WORD>((time >> 5) & 0x3F);
    t.wSecond = static_cast<WORD>((time & 0x1F) * 2);
    // Encoding is the check: it raises for a day, month or time that does not exist.
    EncodeDate(t.wYear, t.wMonth, t.wDay);
    EncodeTime(t.wHour, t.wMinute, t.wSecond, 0);
    return t;
}

template <typename Formatter>
std::wstring FormatWith(Formatter format, const SYSTEMTIME& t, const RegionalFormats& formats,
                        const std::wstring& picture) {
    const int size = format(formats.Locale, 0, &t, picture.c_str(), nullptr, 0);
    if (size == 0)
        RaiseLastOSError();
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    if (format(formats.Locale, 0, &t, picture.c_str(), text.data(), size) == 0)
        RaiseLastOSError();
    text.resize(static_cast<std::size_t>(size - 1));
    return text;
}

} // namespace

DosDateTime FileAge(const std::wstring& fileName) {
    WIN32_FILE_ATTRIBUTE_DATA attributes;
    if (!GetFileAttributesExW(fileName.c_str(), GetFileExInfoStandard, &attributes) ||
        (attributes.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return kNoFileAge;
    FILETIME local;
    WORD date = 0;
    WORD time = 0;
    if (!FileTimeToLocalFileTime(&attributes.ftLastWriteTime, &local) ||
        !FileTimeToDosDateTime(&local, &date, &time))
        return kNoFileAge;
    return (static_cast<DosDateTime>(date) << 16) | time;
}

std::wstring FormatDosDateTime(DosDateTime value, const RegionalFormats& formats) {
    const SYSTEMTIME t = DecodeDosDateTime(value);
    std::wstring text = FormatWith(GetDateFormatW, t, formats, formats.ShortDateFormat);
    if (t.wHour != 0 || t.wMinute != 0 || t.wSecond != 0)
        text += L' ' + FormatWith(GetTimeFormatW, t, formats, formats.LongTimeFormat);
    return text;
}

} // namespace zt
