#include "engine/Engine.h"

#include "engine/OemText.h"
#include "engine/StoreFile.h"

#include <cstring>
#include <windows.h>

namespace zt::engine {
namespace {

const ConfigEntry* FindEntry(const std::vector<ConfigEntry>& entries, std::string_view name) {
    for (const ConfigEntry& entry : entries)
        if (SameAscii(entry.name, name))
            return &entry;
    return nullptr;
}

std::string AliasContext(std::string_view alias) {
    return "Alias: " + std::string(alias);
}

// A test build refuses the records so named (aliases of the list, entries of a branch), in the
// middle of a list, keeping its cursor open.
[[maybe_unused]] bool UnreadableRecord([[maybe_unused]] std::string_view name) {
#ifdef ZT_ENGINE_UNREADABLE_RECORD_PREFIX
    return name.starts_with(ZT_ENGINE_UNREADABLE_RECORD_PREFIX);
#else
    return false;
#endif
}

constexpr std::uint32_t kAllOrigins =
    api::kConfigModeVirtual | api::kConfigModePersistent | api::kConfigModeSession;

} // namespace

void CopyField(std::string_view text, char* field, std::size_t size) {
    const std::size_t length = std::min(text.size(), size - 1);
    std::memcpy(field, text.data(), length);
    std::memset(field + length, 0, size - length);
}

Engine& Engine::Instance() {
    static Engine engine;
    return engine;
}

api::Status Engine::Fail(api::Status status, std::string context) {
    lastError_.clear();
    lastError_.push_back({status, 0, std::move(context)});
    return status;
}

api::Status Engine::Start(std::uint16_t version, const api::Environment* /*environment*/) {
    ClearError();
    if (version != api::kInterfaceVersion)
        return Fail(api::kInvalidParameter, "Version " + std::to_string(version));
    if (started_)
        return api::kAlreadyInitialised;
    storeFailure_ = LoadStoreBesideModule(store_);
    started_ = true;
    return api::kOk;
}

api::Status Engine::CheckStarted() {
    if (!started_)
        return Fail(api::kNotInitialised);
    if (storeFailure_)
        return Fail(storeFailure_->status, ToOemBytes(storeFailure_->context));
    return api::kOk;
}

api::Status Engine::GetCurrSession(api::SessionHandle* session) {
    ClearError();
    if (session == nullptr)
        return Fail(api::kInvalidParameter, "Session");
    if (!started_)
        return Fail(api::kNotInitialised);
    *session = &session_;
    return api::kOk;
}

api::Status Engine::SetProperty(api::ObjectHandle object, std::uint32_t property, std::uint32_t value) {
    ClearError();
    if (!started_)
        return Fail(api::kNotInitialised);
    if (object != &session_)
        return Fail(api::kInvalidHandle, "Object");
    if (property != api::kPropConfigMode)
        return Fail(api::kInvalidParameter, "Property " + std::to_string(property));
    if (value == 0 || (value & ~kAllOrigins) != 0)
        return Fail(api::kInvalidParameter, "Configuration mode " + std::to_string(value));
    session_.configMode = value;
    return api::kOk;
}

api::Status Engine::NewCursor(Cursor cursor, api::CursorHandle* handle) {
    auto owned = std::make_unique<Cursor>(cursor);
    api::CursorHandle const key = owned.get();
    cursors_.emplace(key, std::move(owned));
    *handle = key;
    return api::kOk;
}

Cursor* Engine::FindCursor(api::CursorHandle cursor) {
    const auto found = cursors_.find(cursor);
    return found == cursors_.end() ? nullptr : found->second.get();
}

api::Status Engine::OpenDatabaseList(api::CursorHandle* cursor) {
    ClearError();
    if (cursor == nullptr)
        return Fail(api::kInvalidParameter, "Cursor");
    if (const api::Status status = CheckStarted(); status != api::kOk)
        return status;
    // This engine defines no virtual or session aliases.
    static const std::vector<StoredAlias> kNone;
    const bool persistent = (session_.configMode & api::kConfigModePersistent) != 0;
    return NewCursor({persistent ? &store_.Aliases() : &kNone, nullptr, 0}, cursor);
}

void Engine::Describe(const StoredAlias& alias, api::DatabaseDescription& description) const {
    const ConfigEntry* const type = FindEntry(alias.info, "TYPE");
    const ConfigEntry* const path = FindEntry(alias.info, "PATH");
    CopyField(alias.name, description.name, sizeof description.name);
    CopyField("", description.text, sizeof description.text);
    CopyField(path ? path->value : "", description.physicalName, sizeof description.physicalName);
    CopyField(type ? type->value : "", description.driverType, sizeof description.driverType);
}

api::Status Engine::GetNextRecord(api::CursorHandle cursor, std::int32_t /*lock*/, void* record) {
    ClearError();
    Cursor* const open = FindCursor(cursor);
    if (open == nullptr)
        return Fail(api::kInvalidHandle, "Cursor");
    if (record == nullptr)
        return Fail(api::kInvalidParameter, "Record");
    if (open->aliases != nullptr) {
        if (open->next >= open->aliases->size())
            return Fail(api::kEndOfTable);
        if (const std::string& name = (*open->aliases)[open->next].name; UnreadableRecord(name))
            return Fail(kRecordUnreadable, AliasContext(name));
        Describe((*open->aliases)[open->next++], *static_cast<api::DatabaseDescription*>(record));
        return api::kOk;
    }
    if (open->next >= open->entries->size())
        return Fail(api::kEndOfTable);
    if (const std::string& name = (*open->entries)[open->next].name; UnreadableRecord(name))
        return Fail(kRecordUnreadable, "Entry: " + name);
    const ConfigEntry& stored = (*open->entries)[open->next++];
    auto& node = *static_cast<api::ConfigNode*>(record);
    CopyField(stored.name, node.name, sizeof node.name);
    CopyField("", node.description, sizeof node.description);
    node.dataType = 0;
    CopyField(stored.value, node.value, sizeof node.value);
    node.hasSubNodes = 0;
    return api::kOk;
}

api::Status Engine::CloseCursor(api::CursorHandle* cursor) {
    ClearError();
    if (cursor == nullptr)
        return Fail(api::kInvalidParameter, "Cursor");
    if (cursors_.erase(*cursor) == 0)
        return Fail(api::kInvalidHandle, "Cursor");
    *cursor = nullptr;
    return api::kOk;
}

api::Status Engine::GetDatabaseDesc(const char* alias, api::DatabaseDescription* description) {
    ClearError();
    if (alias == nullptr || description == nullptr)
        return Fail(api::kInvalidParameter, "Alias");
    if (const api::Status status = CheckStarted(); status != api::kOk)
        return status;
    const StoredAlias* const stored = store_.Find(alias);
    if (stored == nullptr)
        return Fail(api::kUnknownDatabase, AliasContext(alias));
    if (FindEntry(stored->info, "TYPE") == nullptr)
        return Fail(kNoDriverType, AliasContext(stored->name));
    Describe(*stored, *description);
    return api::kOk;
}

api::Status Engine::OpenCfgInfoList(api::ConfigHandle config, std::int32_t openMode, std::int32_t configMode,
                                    const char* path, api::CursorHandle* cursor) {
    ClearError();
    if (path == nullptr || cursor == nullptr)
        return Fail(api::kInvalidParameter, "Path");
    if (config != nullptr)
        return Fail(api::kInvalidHandle, "Configuration");
    if (openMode != api::kOpenReadWrite && openMode != api::kOpenReadOnly)
        return Fail(api::kInvalidParameter, "Open mode " + std::to_string(openMode));
    if (configMode < api::kConfigPersistent || configMode > api::kConfigAll)
        return Fail(api::kInvalidParameter, "Configuration mode " + std::to_string(configMode));
    if (const api::Status status = CheckStarted(); status != api::kOk)
        return status;
    const std::optional<BranchPath> branch = ParseBranchPath(path);
    if (!branch)
        return Fail(api::kObjectNotFound, "Path: " + std::string(path));
    const StoredAlias* const stored = store_.Find(branch->alias);
    // The store's aliases are persistent: a session-only view has none.
    if (stored == nullptr || configMode == api::kConfigSession)
        return Fail(api::kObjectNotFound, "Path: " + std::string(path));
#ifdef ZT_ENGINE_UNREADABLE_BRANCH_PREFIX
    // A test build: the branches of the aliases so named cannot be read, though their descriptions can.
    if (stored->name.starts_with(ZT_ENGINE_UNREADABLE_BRANCH_PREFIX))
        return Fail(api::kObjectNotFound, "Path: " + std::string(path));
#endif
    return NewCursor({nullptr, branch->branch == Branch::Info ? &stored->info : &stored->open, 0}, cursor);
}

api::Status Engine::GetErrorEntry(std::uint16_t entry, std::int32_t* nativeCode, char* context) const {
    if (entry == 0 || entry > lastError_.size())
        return api::kOk;
    const ErrorEntry& stored = lastError_[entry - 1u];
    if (nativeCode != nullptr)
        *nativeCode = stored.nativeCode;
    if (context != nullptr)
        CopyField(stored.context, context, api::kMessageField);
    return stored.status;
}

} // namespace zt::engine
