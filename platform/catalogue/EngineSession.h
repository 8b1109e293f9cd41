#pragma once
// The one engine session of the process, its bound entry points and the lock that serialises every
// request to the engine.
#include "engine/ZtEngineApi.h"

#include <cstdint>
#include <mutex>

namespace zt::platform {

struct EngineApi {
    decltype(&ZtEngGetSession) GetSession = nullptr;
    decltype(&ZtEngSetConfigMode) SetConfigMode = nullptr;
    decltype(&ZtEngOpenAliasList) OpenAliasList = nullptr;
    decltype(&ZtEngNextAlias) NextAlias = nullptr;
    decltype(&ZtEngGetAliasDesc) GetAliasDesc = nullptr;
    decltype(&ZtEngOpenConfigBranch) OpenConfigBranch = nullptr;
    decltype(&ZtEngNextConfigEntry) NextConfigEntry = nullptr;
    decltype(&ZtEngCloseCursor) CloseCursor = nullptr;
    decltype(&ZtEngGetStatusText) GetStatusText = nullptr;
    decltype(&ZtEngGetErrorEntry) GetErrorEntry = nullptr;
};

struct EngineSession {
    EngineApi api;
    ZtEngSession handle = nullptr;

    // The engine error for a failed request, composed from the engine's texts.
    [[noreturn]] void RaiseError(std::uint16_t status) const;
};

// Held around the start and every request to the engine; re-entrant.
std::recursive_mutex& EngineLock();

// The running session, started first if needed; raises the start failure. Call with EngineLock held.
const EngineSession& StartedEngineSession();

// Closes an engine cursor on every path.
class EngineCursor {
public:
    EngineCursor(const EngineSession& session, ZtEngCursor cursor) : session_(session), cursor_(cursor) {}
    ~EngineCursor() { session_.api.CloseCursor(cursor_); }
    EngineCursor(const EngineCursor&) = delete;
    EngineCursor& operator=(const EngineCursor&) = delete;
    ZtEngCursor Get() const { return cursor_; }

private:
    const EngineSession& session_;
    ZtEngCursor cursor_;
};

} // namespace zt::platform
