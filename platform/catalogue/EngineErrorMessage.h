#pragma once
// The messages of engine errors, composed from the engine's own texts.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zt::platform {

// One entry of the engine's report on a failure.
struct EngineErrorEntry {
    std::uint16_t status;
    std::int32_t nativeCode; // a database server's own error code; 0 when there is none
    std::wstring statusText; // the engine's text for status
    std::wstring context;
};

// The status text, then per entry its status text (when it has no native code) and its trimmed
// context; empty texts and texts already present (any letter case) are left out, and for a server
// error only the contexts count. Lines are joined by CR LF; "BDE error $XXXX" when none is left.
std::wstring ComposeEngineErrorMessage(std::uint16_t status, std::wstring_view statusText,
                                       std::span<const EngineErrorEntry> entries);

// The status codes that the engine error carries: the status the failing call returned, then the
// status of each entry of its error stack (an entry that repeats the returned status at the top of
// the stack is that status, not another).
std::vector<std::uint16_t> EngineErrorCodes(std::uint16_t status, std::span<const EngineErrorEntry> entries);

// The message of a session that could not be started.
std::wstring EngineStartFailureMessage(std::uint16_t status);

} // namespace zt::platform
