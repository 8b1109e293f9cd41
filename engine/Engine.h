#pragma once
// The engine's state for the process: started or not, its one session, its store, the open cursors
// and the error stack of the last failure. Callers hold Lock() around every use.
#include "engine/AliasStore.h"
#include "engine/StandInStatus.h"

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace zt::engine {

namespace api = engine_interface;

struct Session {
    // A new session shows only the aliases defined in it; the store's aliases are persistent ones.
    std::uint32_t configMode = api::kConfigModeSession;
};

// A cursor over the alias list (database descriptions) or over one configuration branch (nodes).
struct Cursor {
    const std::vector<StoredAlias>* aliases = nullptr;
    const std::vector<ConfigEntry>* entries = nullptr;
    std::size_t next = 0;
};

struct ErrorEntry {
    api::Status status;
    std::int32_t nativeCode;
    std::string context; // OEM
};

class Engine {
public:
    static Engine& Instance();
    std::unique_lock<std::mutex> Lock() { return std::unique_lock(mutex_); }

    api::Status Start(std::uint16_t version, const api::Environment* environment);
    api::Status GetCurrSession(api::SessionHandle* session);
    api::Status SetProperty(api::ObjectHandle object, std::uint32_t property, std::uint32_t value);
    api::Status OpenDatabaseList(api::CursorHandle* cursor);
    api::Status GetNextRecord(api::CursorHandle cursor, std::int32_t lock, void* record);
    api::Status CloseCursor(api::CursorHandle* cursor);
    api::Status GetDatabaseDesc(const char* alias, api::DatabaseDescription* description);
    api::Status OpenCfgInfoList(api::ConfigHandle config, std::int32_t openMode, std::int32_t configMode,
                                const char* path, api::CursorHandle* cursor);
    // The entry's status, 0 past the last; fills the native code and the context text.
    api::Status GetErrorEntry(std::uint16_t entry, std::int32_t* nativeCode, char* context) const;

    // Records a failure as the whole error stack and returns its status.
    api::Status Fail(api::Status status, std::string context = {});
    void ClearError() { lastError_.clear(); }
    std::size_t OpenCursors() const { return cursors_.size(); }

private:
    api::Status CheckStarted();
    Cursor* FindCursor(api::CursorHandle cursor);
    api::Status NewCursor(Cursor cursor, api::CursorHandle* handle);
    void Describe(const StoredAlias& alias, api::DatabaseDescription& description) const;

    std::mutex mutex_;
    bool started_ = false;
    Session session_;
    AliasStore store_;
    std::optional<StoreFailure> storeFailure_;
    std::unordered_map<api::CursorHandle, std::unique_ptr<Cursor>> cursors_;
    std::vector<ErrorEntry> lastError_;
};

// The engine's text for a status; empty for a status it does not know.
const char* StatusText(api::Status status);

// Into a fixed field: at most size - 1 bytes and a NUL, the rest zero.
void CopyField(std::string_view text, char* field, std::size_t size);

} // namespace zt::engine
