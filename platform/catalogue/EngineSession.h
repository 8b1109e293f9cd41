#pragma once
// The one engine session of the process, its bound entry points and the lock that serialises every
// request to the engine.
#include "interfaces/EngineInterface.h"

#include <mutex>

namespace zt::platform {

namespace engine = engine_interface;

// The engine's published entry points, bound by name.
struct EngineApi {
    decltype(&DbiGetCurrSession) GetCurrSession = nullptr;
    decltype(&DbiSetProp) SetProperty = nullptr;
    decltype(&DbiOpenDatabaseList) OpenDatabaseList = nullptr;
    decltype(&DbiGetNextRecord) GetNextRecord = nullptr;
    decltype(&DbiCloseCursor) CloseCursor = nullptr;
    decltype(&DbiGetDatabaseDesc) GetDatabaseDesc = nullptr;
    decltype(&DbiOpenCfgInfoList) OpenCfgInfoList = nullptr;
    decltype(&DbiGetErrorString) GetErrorString = nullptr;
    decltype(&DbiGetErrorEntry) GetErrorEntry = nullptr;
};

struct EngineSession {
    EngineApi api;
    engine::SessionHandle handle = nullptr;

    // The engine error for a failed request, composed from the engine's texts.
    [[noreturn]] void RaiseError(engine::Status status) const;
};

// Held around the start and every request to the engine; re-entrant.
std::recursive_mutex& EngineLock();

// The running session, started first if needed; raises the start failure. Call with EngineLock held.
const EngineSession& StartedEngineSession();

// Closes an engine cursor on every path.
class EngineCursor {
public:
    EngineCursor(const EngineSession& session, engine::CursorHandle cursor)
        : session_(session), cursor_(cursor) {}
    ~EngineCursor() { session_.api.CloseCursor(&cursor_); }
    EngineCursor(const EngineCursor&) = delete;
    EngineCursor& operator=(const EngineCursor&) = delete;
    engine::CursorHandle Get() const { return cursor_; }

private:
    const EngineSession& session_;
    engine::CursorHandle cursor_;
};

} // namespace zt::platform
