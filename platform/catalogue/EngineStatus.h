#pragma once
// The engine statuses that the catalogue itself gives or treats apart.
#include <cstdint>

namespace zt::platform {

inline constexpr std::uint16_t kStatusNoEngineLibrary = 0x2108;
inline constexpr std::uint16_t kStatusEngineNotLoadable = 0x2109;
inline constexpr std::uint16_t kStatusNotEnoughMemory = 0x2501;
inline constexpr std::uint16_t kStatusNoEntryPoint = 0x2A06;
inline constexpr std::uint16_t kStatusAlreadyStarted = 0x2A07;
// A failure reported by a database server: its entries' context texts say everything.
inline constexpr std::uint16_t kStatusServerError = 0x2EC4;

inline constexpr std::uint16_t kEngineInterfaceVersion = 500;
inline constexpr std::uint16_t kAllAliasOrigins = 7; // virtual, persistent and session aliases

} // namespace zt::platform
