#pragma once
// Statuses of what only this stand-in meets: its store. They lie in a range that no published
// status uses.
#include "interfaces/EngineInterface.h"

namespace zt::engine {

inline constexpr engine_interface::Status kStoreMissing = 0x2D01;     // aliases.cfg cannot be read
inline constexpr engine_interface::Status kStoreMalformed = 0x2D02;   // a line breaks the store's rules
inline constexpr engine_interface::Status kNoDriverType = 0x2D04;     // an alias without TYPE
inline constexpr engine_interface::Status kRecordUnreadable = 0x2D05; // test builds: a record refused
inline constexpr engine_interface::Status kInternalError = 0x2D06;    // an unexpected failure inside

} // namespace zt::engine
