// The engine's entry points. No C++ exception leaves the DLL: each one becomes a status.
#include "engine/Engine.h"

#include <new>

using zt::engine::Engine;
namespace api = zt::engine_interface;

namespace {

template <class Operation> api::Status Guarded(Operation&& operation) {
    Engine& engine = Engine::Instance();
    try {
        const auto lock = engine.Lock();
        try {
            return operation(engine);
        } catch (const std::bad_alloc&) {
            return engine.Fail(api::kNotEnoughMemory);
        } catch (...) {
            return engine.Fail(zt::engine::kInternalError);
        }
    } catch (...) {
        return zt::engine::kInternalError;
    }
}

} // namespace

ZT_ENGINE_ENTRY api::Status ZT_ENGINE_CALL DbiInitFn(std::uint16_t version, api::Environment* environment) {
    return Guarded([&](Engine& e) { return e.Start(version, environment); });
}

ZT_ENGINE_ENTRY api::Status ZT_ENGINE_CALL DbiGetCurrSession(api::SessionHandle* session) {
    return Guarded([&](Engine& e) { return e.GetCurrSession(session); });
}

ZT_ENGINE_ENTRY api::Status ZT_ENGINE_CALL DbiSetProp(api::ObjectHandle object, std::uint32_t property,
                                                      std::uint32_t value) {
    return Guarded([&](Engine& e) { return e.SetProperty(object, property, value); });
}

ZT_ENGINE_ENTRY api::Status ZT_ENGINE_CALL DbiOpenDatabaseList(api::CursorHandle* cursor) {
    return Guarded([&](Engine& e) { return e.OpenDatabaseList(cursor); });
}

ZT_ENGINE_ENTRY api::Status ZT_ENGINE_CALL DbiGetNextRecord(api::CursorHandle cursor, std::int32_t lock,
                                                            void* record, void* /*recordProperties*/) {
    return Guarded([&](Engine& e) { return e.GetNextRecord(cursor, lock, record); });
}

ZT_ENGINE_ENTRY api::Status ZT_ENGINE_CALL DbiCloseCursor(api::CursorHandle* cursor) {
    return Guarded([&](Engine& e) { return e.CloseCursor(cursor); });
}

ZT_ENGINE_ENTRY api::Status ZT_ENGINE_CALL DbiGetDatabaseDesc(const char* alias,
                                                              api::DatabaseDescription* description) {
    return Guarded([&](Engine& e) { return e.GetDatabaseDesc(alias, description); });
}

ZT_ENGINE_ENTRY api::Status ZT_ENGINE_CALL DbiOpenCfgInfoList(api::ConfigHandle config, std::int32_t openMode,
                                                              std::int32_t configMode, const char* path,
                                                              api::CursorHandle* cursor) {
    return Guarded([&](Engine& e) { return e.OpenCfgInfoList(config, openMode, configMode, path, cursor); });
}

ZT_ENGINE_ENTRY api::Status ZT_ENGINE_CALL DbiGetErrorString(api::Status status, char* text) {
    if (text == nullptr)
        return api::kInvalidParameter;
    zt::engine::CopyField(zt::engine::StatusText(status), text, api::kMessageField);
    return api::kOk;
}

// Reading the error stack leaves it alone.
ZT_ENGINE_ENTRY api::Status ZT_ENGINE_CALL DbiGetErrorEntry(std::uint16_t entry, std::int32_t* nativeCode,
                                                            char* context) {
    Engine& engine = Engine::Instance();
    try {
        const auto lock = engine.Lock();
        return engine.GetErrorEntry(entry, nativeCode, context);
    } catch (...) {
        return api::kOk;
    }
}

#ifdef ZT_ENGINE_COUNTS_CURSORS
// Test builds only (the engine's published entry points are the only exports of the stand-in): how
// many cursors are open, so that tests see every one closed again.
extern "C" __declspec(dllexport) std::uint32_t ZT_ENGINE_CALL ZtOpenCursors() {
    Engine& engine = Engine::Instance();
    const auto lock = engine.Lock();
    return static_cast<std::uint32_t>(engine.OpenCursors());
}
#endif
