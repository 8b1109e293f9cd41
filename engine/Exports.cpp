// The engine's entry points. No C++ exception leaves the DLL: each one becomes a status.
#include "engine/Engine.h"

#include <new>

using zt::engine::Engine;

namespace {

template <class Operation> ZtEngStatus Guarded(Operation&& operation) {
    Engine& engine = Engine::Instance();
    try {
        const auto lock = engine.Lock();
        try {
            return operation(engine);
        } catch (const std::bad_alloc&) {
            engine.ClearError();
            return ZT_ENG_OUT_OF_MEMORY;
        } catch (...) {
            engine.ClearError();
            return ZT_ENG_INTERNAL_ERROR;
        }
    } catch (...) {
        return ZT_ENG_INTERNAL_ERROR;
    }
}

} // namespace

extern "C" {

ZT_ENG_API ZtEngStatus ZT_ENG_CALL DbiInitFn(uint16_t version, const ZtEngEnv* /*env*/) {
    return Guarded([&](Engine& e) { return e.Start(version); });
}

ZT_ENG_API ZtEngStatus ZT_ENG_CALL ZtEngGetSession(ZtEngSession* session) {
    return Guarded([&](Engine& e) { return e.GetSession(session); });
}

ZT_ENG_API ZtEngStatus ZT_ENG_CALL ZtEngSetConfigMode(ZtEngSession session, uint16_t mode) {
    return Guarded([&](Engine& e) { return e.SetConfigMode(session, mode); });
}

ZT_ENG_API ZtEngStatus ZT_ENG_CALL ZtEngOpenAliasList(ZtEngSession session, ZtEngCursor* cursor) {
    return Guarded([&](Engine& e) { return e.OpenAliasList(session, cursor); });
}

ZT_ENG_API ZtEngStatus ZT_ENG_CALL ZtEngNextAlias(ZtEngCursor cursor, ZtEngAliasRecord* record) {
    return Guarded([&](Engine& e) { return e.NextAlias(cursor, record); });
}

ZT_ENG_API ZtEngStatus ZT_ENG_CALL ZtEngGetAliasDesc(ZtEngSession session, const char* alias,
                                                     ZtEngAliasDesc* desc) {
    return Guarded([&](Engine& e) { return e.GetAliasDesc(session, alias, desc); });
}

ZT_ENG_API ZtEngStatus ZT_ENG_CALL ZtEngOpenConfigBranch(ZtEngSession session, const char* path,
                                                         ZtEngCursor* cursor) {
    return Guarded([&](Engine& e) { return e.OpenConfigBranch(session, path, cursor); });
}

ZT_ENG_API ZtEngStatus ZT_ENG_CALL ZtEngNextConfigEntry(ZtEngCursor cursor, ZtEngConfigEntry* entry) {
    return Guarded([&](Engine& e) { return e.NextConfigEntry(cursor, entry); });
}

ZT_ENG_API ZtEngStatus ZT_ENG_CALL ZtEngCloseCursor(ZtEngCursor cursor) {
    return Guarded([&](Engine& e) { return e.CloseCursor(cursor); });
}

ZT_ENG_API ZtEngStatus ZT_ENG_CALL ZtEngGetStatusText(ZtEngStatus status, char* text) {
    if (text == nullptr)
        return ZT_ENG_INVALID_PARAMETER;
    zt::engine::CopyField(zt::engine::StatusText(status), text, ZT_ENG_TEXT_SIZE);
    return ZT_ENG_OK;
}

ZT_ENG_API ZtEngStatus ZT_ENG_CALL ZtEngGetErrorEntry(uint32_t index, ZtEngErrorEntry* entry) {
    return Guarded([&](const Engine& e) { return e.GetErrorEntry(index, entry); });
}
}
