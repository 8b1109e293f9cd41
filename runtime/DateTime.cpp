#include "runtime/DateTime.h"

#include "runtime/Exceptions.h"

#include <windows.h>

namespace zt {
namespace {

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

} // namespace

DateTime EncodeDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        throw EConvertError(kDateEncodeMessage);
    long long days = day;
    for (int m = 1; m < month; ++m)
        days += DaysInMonth(year, m);
    const long long y = year - 1;
    days += y * 365 + y / 4 - y / 100 + y / 400;
    return static_cast<double>(days - 693594); // days from 1 January 0001 to 30 December 1899
}

DateTime EncodeTime(int hour, int minute, int second, int millisecond) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
        millisecond > 999)
        throw EConvertError(kDateEncodeMessage);
    return ((hour * 3600000.0) + (minute * 60000.0) + (second * 1000.0) + millisecond) / kMillisecondsPerDay;
}

DateTime Now() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return EncodeDate(t.wYear, t.wMonth, t.wDay) + EncodeTime(t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
}

} // namespace zt
