#pragma once
// A file's modification time as the packed DOS date and time (two-second resolution), and as text.
#include "versioninfo/RegionalFormats.h"

#include <cstdint>
#include <string>

namespace zt {

// Packed as date in the high word and time in the low word.
using DosDateTime = std::uint32_t;

// All bits set: no valid date; what FileAge gives when the time cannot be had.
inline constexpr DosDateTime kNoFileAge = 0xFFFFFFFF;

// The last-write time of the file, in local time; kNoFileAge for a folder or a file whose attributes
// cannot be read.
DosDateTime FileAge(const std::wstring& fileName);

// The short date, a blank and the long time; the date alone at midnight. Raises EConvertError
// "Invalid argument to date encode" for a value that is no valid date and time.
std::wstring FormatDosDateTime(DosDateTime value, const RegionalFormats& formats);

} // namespace zt
