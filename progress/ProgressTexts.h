#pragma once
// The texts the progress dialog shows for times and identification numbers.
#include "runtime/DateTime.h"

#include <string>

namespace zt::progress {

// A span of time as minutes, seconds and milliseconds of its last hour: "0m:4s:62ms".
std::wstring LastItemTimeText(DateTime span);

// A span of time as hours of its last day, minutes and seconds: "1h:05m:09s".
std::wstring ElapsedTimeText(DateTime span);

// A number as a whole number, halves away from zero, no group separators: "124" for 123.5.
std::wstring WholeNumberText(long double value);

} // namespace zt::progress
