#pragma once
// Local date and time as a count of days whose fraction is the time of day (millisecond resolution),
// day 0 being 30 December 1899.
namespace zt {

using DateTime = double;

inline constexpr double kMillisecondsPerDay = 86'400'000.0;

// Raise EConvertError "Invalid argument to date encode" for a date or time that does not exist.
DateTime EncodeDate(int year, int month, int day);
DateTime EncodeTime(int hour, int minute, int second, int millisecond);

// The current local date and time.
DateTime Now();

} // namespace zt
