#include "progress/ProgressTexts.h"

#include "runtime/Format.h"

#include <cmath>
#include <cstdint>
#include <cwchar>

namespace zt::progress {
namespace {

constexpr std::int64_t kMsPerDay = 86'400'000;

// Milliseconds within one day: rounded to the nearest (halves to even), then the magnitude's
// remainder of a day.
std::int64_t MillisecondsOfDay(DateTime span) {
    const double ms = std::fabs(std::nearbyint(span * kMillisecondsPerDay));
    return static_cast<std::int64_t>(std::fmod(ms, static_cast<double>(kMsPerDay)));
}

std::wstring TwoDigits(std::int64_t value) {
    return (value < 10 ? L"0" : L"") + IntToStr(value);
}

} // namespace

std::wstring LastItemTimeText(DateTime span) {
    const std::int64_t t = MillisecondsOfDay(span);
    return IntToStr(t / 60'000 % 60) + L"m:" + IntToStr(t % 60'000 / 1'000) + L"s:" + IntToStr(t % 1'000) +
           L"ms";
}

std::wstring ElapsedTimeText(DateTime span) {
    const std::int64_t t = MillisecondsOfDay(span);
    return IntToStr(t / 3'600'000) + L"h:" + TwoDigits(t / 60'000 % 60) + L"m:" +
           TwoDigits(t % 60'000 / 1'000) + L"s";
}

std::wstring WholeNumberText(long double value) {
    if (std::isnan(value))
        return L"NAN";
    if (std::isinf(value))
        return value < 0 ? L"-INF" : L"INF";
    const long double rounded = std::round(value); // halves away from zero
    if (std::fabs(rounded) < 9.2e18L)
        return IntToStr(static_cast<long long>(rounded));
    // Beyond 64 bits: digit by digit, the least significant first.
    std::wstring digits;
    for (long double rest = std::fabs(rounded); rest >= 1.0L; rest = std::floor(rest / 10.0L))
        digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + static_cast<int>(std::fmod(rest, 10.0L))));
    return (rounded < 0 ? L"-" : L"") + digits;
}

} // namespace zt::progress
