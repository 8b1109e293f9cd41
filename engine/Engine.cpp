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

ZtEngStatus Engine::Fail(ZtEngStatus status, std::string context) {
    lastError_.clear();
    lastError_.push_back({status, 0, std::move(context)});
    return status;
}

ZtEngStatus Engine::Start(std::uint16_t version) {
    ClearError();
    if (version != ZT_ENG_VERSION)
        return Fail(ZT_ENG_BAD_VERSION, "Version " + std::to_string(version));
    if (started_)
        return ZT_ENG_ALREADY_STARTED;
    storeFailure_ = LoadStoreBesideModule(store_);
    started_ = true;
    return ZT_ENG_OK;
}

ZtEngStatus Engine::CheckSession(ZtEngSession session) {
    if (!started_)
        return Fail(ZT_ENG_NOT_STARTED, {});
    if (session != &session_)
        return Fail(ZT_ENG_INVALID_HANDLE, "Session");
    if (storeFailure_)
        return Fail(storeFailure_->status, ToOemBytes(storeFailure_->context));
    return ZT_ENG_OK;
}

ZtEngStatus Engine::GetSession(ZtEngSession* session) {
    ClearError();
    if (session == nullptr)
        return Fail(ZT_ENG_INVALID_PARAMETER, "Session");
    if (!started_)
        return Fail(ZT_ENG_NOT_STARTED, {});
    *session = &session_;
    return ZT_ENG_OK;
}

ZtEngStatus Engine::SetConfigMode(ZtEngSession session, std::uint16_t mode) {
    ClearError();
    if (!started_)
        return Fail(ZT_ENG_NOT_STARTED, {});
    if (session != &session_)
        return Fail(ZT_ENG_INVALID_HANDLE, "Session");
    if (mode == 0 || mode > (ZT_ENG_CFG_VIRTUAL | ZT_ENG_CFG_PERSISTENT | ZT_ENG_CFG_SESSION))
        return Fail(ZT_ENG_INVALID_PARAMETER, "Configuration mode " + std::to_string(mode));
    session_.mode = mode;
    return ZT_ENG_OK;
}

ZtEngStatus Engine::NewCursor(ZtEngCursorTag cursor, ZtEngCursor* handle) {
    auto owned = std::make_unique<ZtEngCursorTag>(cursor);
    ZtEngCursorTag* const key = owned.get();
    cursors_.emplace(key, std::move(owned));
    *handle = key;
    return ZT_ENG_OK;
}

ZtEngCursorTag* Engine::FindCursor(ZtEngCursor cursor) {
    const auto found = cursors_.find(cursor);
    return found == cursors_.end() ? nullptr : found->second.get();
}

ZtEngStatus Engine::OpenAliasList(ZtEngSession session, ZtEngCursor* cursor) {
    ClearError();
    if (cursor == nullptr)
        return Fail(ZT_ENG_INVALID_PARAMETER, "Cursor");
    if (const ZtEngStatus status = CheckSession(session); status != ZT_ENG_OK)
        return status;
    // The store's aliases are persistent ones; this engine defines no virtual or session aliases.
    static const std::vector<StoredAlias> kNone;
    const bool persistent = (session_.mode & ZT_ENG_CFG_PERSISTENT) != 0;
    return NewCursor({persistent ? &store_.Aliases() : &kNone, nullptr, 0}, cursor);
}

ZtEngStatus Engine::NextAlias(ZtEngCursor cursor, ZtEngAliasRecord* record) {
    ClearError();
    ZtEngCursorTag* const open = FindCursor(cursor);
    if (open == nullptr || open->aliases == nullptr)
        return Fail(ZT_ENG_INVALID_HANDLE, "Cursor");
    if (record == nullptr)
        return Fail(ZT_ENG_INVALID_PARAMETER, "Record");
    if (open->next >= open->aliases->size())
        return Fail(ZT_ENG_END_OF_LIST, {});
    CopyField((*open->aliases)[open->next++].name, record->name, sizeof record->name);
    return ZT_ENG_OK;
}

ZtEngStatus Engine::GetAliasDesc(ZtEngSession session, const char* alias, ZtEngAliasDesc* desc) {
    ClearError();
    if (alias == nullptr || desc == nullptr)
        return Fail(ZT_ENG_INVALID_PARAMETER, "Alias");
    if (const ZtEngStatus status = CheckSession(session); status != ZT_ENG_OK)
        return status;
    const StoredAlias* const stored = store_.Find(alias);
    if (stored == nullptr)
        return Fail(ZT_ENG_UNKNOWN_ALIAS, AliasContext(alias));
    const ConfigEntry* const type = FindEntry(stored->info, "TYPE");
    if (type == nullptr)
        return Fail(ZT_ENG_NO_DRIVER_TYPE, AliasContext(stored->name));
    const ConfigEntry* const path = FindEntry(stored->info, "PATH");
    const ConfigEntry* const defaultDriver = FindEntry(stored->info, "DEFAULT DRIVER");
    CopyField(stored->name, desc->name, sizeof desc->name);
    CopyField(type->value, desc->driverType, sizeof desc->driverType);
    CopyField(path ? path->value : "", desc->path, sizeof desc->path);
    CopyField(defaultDriver ? defaultDriver->value : "", desc->defaultDriver, sizeof desc->defaultDriver);
    return ZT_ENG_OK;
}

ZtEngStatus Engine::OpenConfigBranch(ZtEngSession session, const char* path, ZtEngCursor* cursor) {
    ClearError();
    if (path == nullptr || cursor == nullptr)
        return Fail(ZT_ENG_INVALID_PARAMETER, "Path");
    if (const ZtEngStatus status = CheckSession(session); status != ZT_ENG_OK)
        return status;
    const std::optional<BranchPath> branch = ParseBranchPath(path);
    if (!branch)
        return Fail(ZT_ENG_UNKNOWN_BRANCH, "Path: " + std::string(path));
    const StoredAlias* const stored = store_.Find(branch->alias);
    if (stored == nullptr)
        return Fail(ZT_ENG_UNKNOWN_ALIAS, AliasContext(branch->alias));
#ifdef ZT_ENGINE_UNREADABLE_BRANCH_PREFIX
    // A test build: the branches of the aliases so named cannot be read, though their descriptions can.
    if (stored->name.starts_with(ZT_ENGINE_UNREADABLE_BRANCH_PREFIX))
        return Fail(ZT_ENG_UNKNOWN_BRANCH, "Path: " + std::string(path));
#endif
    return NewCursor({nullptr, branch->branch == Branch::Info ? &stored->info : &stored->open, 0}, cursor);
}

ZtEngStatus Engine::NextConfigEntry(ZtEngCursor cursor, ZtEngConfigEntry* entry) {
    ClearError();
    ZtEngCursorTag* const open = FindCursor(cursor);
    if (open == nullptr || open->entries == nullptr)
        return Fail(ZT_ENG_INVALID_HANDLE, "Cursor");
    if (entry == nullptr)
        return Fail(ZT_ENG_INVALID_PARAMETER, "Entry");
    if (open->next >= open->entries->size())
        return Fail(ZT_ENG_END_OF_LIST, {});
    const ConfigEntry& stored = (*open->entries)[open->next++];
    entry->name = stored.name.c_str();
    entry->value = stored.value.c_str();
    return ZT_ENG_OK;
}

ZtEngStatus Engine::CloseCursor(ZtEngCursor cursor) {
    ClearError();
    if (cursors_.erase(cursor) == 0)
        return Fail(ZT_ENG_INVALID_HANDLE, "Cursor");
    return ZT_ENG_OK;
}

ZtEngStatus Engine::GetErrorEntry(std::uint32_t index, ZtEngErrorEntry* entry) const {
    if (entry == nullptr)
        return ZT_ENG_INVALID_PARAMETER;
    if (index == 0 || index > lastError_.size())
        return ZT_ENG_END_OF_LIST;
    const ErrorEntry& stored = lastError_[index - 1];
    entry->status = stored.status;
    entry->nativeCode = stored.nativeCode;
    CopyField(stored.context, entry->context, sizeof entry->context);
    return ZT_ENG_OK;
}

} // namespace zt::engine
