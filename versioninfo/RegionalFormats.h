#pragma once
// The regional settings that dates and times are written with.
#include <cstdint>
#include <string>

namespace zt {

struct RegionalFormats {
    std::uint32_t Locale;         // supplies the names and designators that the pictures ask for
    std::wstring ShortDateFormat; // a date picture such as "dd/MM/yyyy"
    std::wstring LongTimeFormat;  // a time picture such as "HH:mm:ss"
};

// The user's own settings, read from the system now.
RegionalFormats LoadUserRegionalFormats();

} // namespace zt
