#pragma once
// The engine's state for the process: started or not, its one session, its store, the open cursors
// and the entries of the last error. Callers hold Lock() around every use.
#include "engine/AliasStore.h"
#include "engine/ZtEngineApi.h"

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

struct ZtEngSessionTag {
    std::uint16_t mode = ZT_ENG_CFG_SESSION;
};

struct ZtEngCursorTag {
    const std::vector<zt::engine::StoredAlias>* aliases = nullptr;
    const std::vector<zt::engine::ConfigEntry>* entries = nullptr;
    std::size_t next = 0;
};

namespace zt::engine {

struct ErrorEntry {
    ZtEngStatus status;
    std::int32_t nativeCode;
    std::string context; // OEM
};

class Engine {
public:
    static Engine& Instance();
    std::unique_lock<std::mutex> Lock() { return std::unique_lock(mutex_); }

    ZtEngStatus Start(std::uint16_t version);
    ZtEngStatus GetSession(ZtEngSession* session);
    ZtEngStatus SetConfigMode(ZtEngSession session, std::uint16_t mode);
    ZtEngStatus OpenAliasList(ZtEngSession session, ZtEngCursor* cursor);
    ZtEngStatus NextAlias(ZtEngCursor cursor, ZtEngAliasRecord* record);
    ZtEngStatus GetAliasDesc(ZtEngSession session, const char* alias, ZtEngAliasDesc* desc);
    ZtEngStatus OpenConfigBranch(ZtEngSession session, const char* path, ZtEngCursor* cursor);
    ZtEngStatus NextConfigEntry(ZtEngCursor cursor, ZtEngConfigEntry* entry);
    ZtEngStatus CloseCursor(ZtEngCursor cursor);
    ZtEngStatus GetErrorEntry(std::uint32_t index, ZtEngErrorEntry* entry) const;

    // Records a failure as the last error and returns its status.
    ZtEngStatus Fail(ZtEngStatus status, std::string context);
    void ClearError() { lastError_.clear(); }

private:
    ZtEngStatus CheckSession(ZtEngSession session);
    ZtEngCursorTag* FindCursor(ZtEngCursor cursor);
    ZtEngStatus NewCursor(ZtEngCursorTag cursor, ZtEngCursor* handle);

    std::mutex mutex_;
    bool started_ = false;
    ZtEngSessionTag session_;
    AliasStore store_;
    std::optional<StoreFailure> storeFailure_;
    std::unordered_map<ZtEngCursorTag*, std::unique_ptr<ZtEngCursorTag>> cursors_;
    std::vector<ErrorEntry> lastError_;
};

// The engine's text for a status; empty for a status it does not know.
const char* StatusText(ZtEngStatus status);

// Into a fixed field: at most size - 1 bytes and a NUL.
void CopyField(std::string_view text, char* field, std::size_t size);

} // namespace zt::engine
