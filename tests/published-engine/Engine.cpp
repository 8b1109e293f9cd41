// The double's ten entry points over one process-wide engine: started once, over the aliases of
// aliases.cfg beside this library, strict about every parameter the interface publishes, and
// keeping a log of what the program passed at its start in engine-calls.log beside it. Its test
// build (published-engine-counting) also exports ZtOpenCursors and refuses the records named
// ROTO... in the middle of a list.
#include "AliasStore.h"
#include "EngineInterface.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <new>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace zt::published_engine {
namespace {

inline constexpr DbiStatus kInternalFailure = 0x7F0F;
inline constexpr DbiStatus kRecordRefused = 0x7F04; // a test build's record refused on purpose

struct Cursor {
    std::vector<std::string> records; // each one record's bytes
    std::size_t next = 0;
};

struct ErrorEntry {
    DbiStatus status;
    std::string context;
};

struct Outcome {
    DbiStatus status = kSuccess;
    std::string context;
};

struct Engine {
    std::mutex lock;
    bool started = false;
    std::uint32_t configurationMode = kModeSession;
    std::vector<StoredAlias> aliases;
    std::vector<std::unique_ptr<Cursor>> cursors;
    std::vector<ErrorEntry> errors; // of the last call that failed
    char session = 0;               // its address is the session's handle

    DbiHandle Session() { return &session; }
    Cursor* FindCursor(DbiHandle handle) {
        const auto found =
            std::find_if(cursors.begin(), cursors.end(),
                         [&](const std::unique_ptr<Cursor>& cursor) { return cursor.get() == handle; });
        return found == cursors.end() ? nullptr : found->get();
    }
    const StoredAlias* FindAlias(std::string_view name) const {
        const auto found = std::find_if(aliases.begin(), aliases.end(), [&](const StoredAlias& alias) {
            return EqualIgnoringAsciiCase(alias.name, name);
        });
        return found == aliases.end() ? nullptr : &*found;
    }
    DbiHandle Open(Cursor cursor) {
        cursors.push_back(std::make_unique<Cursor>(std::move(cursor)));
        return cursors.back().get();
    }
};

Engine& TheEngine() {
    static Engine engine;
    return engine;
}

std::filesystem::path BesideThisLibrary(const wchar_t* file) {
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&BesideThisLibrary), &self);
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(self, path.data(), static_cast<DWORD>(path.size()))) == path.size())
        path.resize(path.size() * 2);
    path.resize(length);
    return std::filesystem::path(path).parent_path() / file;
}

void LogCall(const std::string& line) {
    std::ofstream(BesideThisLibrary(L"engine-calls.log"), std::ios::binary | std::ios::app) << line << '\n';
}

std::string ReadStoreFile() {
    std::ifstream file(BesideThisLibrary(L"aliases.cfg"), std::ios::binary);
    if (!file)
        throw StoreFailure{kStoreMissing, "aliases.cfg cannot be read"};
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

template <std::size_t N> void Put(char (&field)[N], std::string_view text) {
    const std::size_t length = std::min(text.size(), N - 1);
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

template <std::size_t N> std::string FieldText(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

template <class Record> std::string Bytes(const Record& record) {
    return std::string(reinterpret_cast<const char*>(&record), sizeof(Record));
}

std::string Hex(std::uint32_t value) {
    char text[16] = {};
    wsprintfA(text, "0x%lX", static_cast<unsigned long>(value));
    return text;
}

DatabaseDescription Describe(const StoredAlias& alias) {
    DatabaseDescription description{};
    Put(description.name, alias.name);
    Put(description.physicalName, alias.path);
    Put(description.driverType, alias.driverType);
    return description;
}

Outcome NotStarted() {
    return {kNotInitialised, "the engine is not started"};
}

Outcome InvalidParameter(std::string_view what) {
    return {kInvalidParameter, std::string(what)};
}

// Runs an entry point's body under the engine's lock. Every such call clears the error stack; a
// failure leaves one entry on it. No exception leaves the library.
template <class Body> DbiStatus Run(const char* entryPoint, Body&& body) {
    Engine& engine = TheEngine();
    const std::lock_guard guard(engine.lock);
    engine.errors.clear();
    Outcome outcome;
    try {
        outcome = body(engine);
    } catch (const std::bad_alloc&) {
        outcome = {kNoMemory, "out of memory"};
    } catch (...) {
        outcome = {kInternalFailure, "internal failure"};
    }
    if (outcome.status != kSuccess) {
        try {
            engine.errors.push_back({outcome.status, std::string(entryPoint) + ": " + outcome.context});
        } catch (...) {
        }
    }
    return outcome.status;
}

// The same for the entry points that need a started engine.
template <class Body> DbiStatus RunStarted(const char* entryPoint, Body&& body) {
    return Run(entryPoint, [&](Engine& engine) { return engine.started ? body(engine) : NotStarted(); });
}

std::string_view StatusText(DbiStatus status) {
    switch (status) {
    case kSuccess:
        return "Success";
    case kLibraryNotFound:
        return "Cannot find the engine library";
    case kLibraryNotLoadable:
        return "Cannot load the engine library";
    case kEndOfTable:
        return "At end of table";
    case kObjectNotFound:
        return "Object not found";
    case kNoMemory:
        return "Insufficient memory for this operation";
    case kInvalidParameter:
        return "Invalid parameter";
    case kInvalidHandle:
        return "Invalid handle to the function";
    case kInvalidSessionHandle:
        return "Invalid session handle";
    case kUnknownDatabase:
        return "Unknown database";
    case kNotInitialised:
        return "Engine not initialized";
    case kAlreadyInitialised:
        return "Engine already initialized";
    case kStoreMissing:
        return "Alias store not found";
    case kStoreLineMalformed:
        return "Malformed line in the alias store";
    case kStoreAliasWithoutType:
        return "Alias without driver type in the alias store";
    case kInternalFailure:
        return "Internal failure of the engine";
    case kRecordRefused:
        return "Record refused";
    default:
        return "";
    }
}

} // namespace
} // namespace zt::published_engine

using namespace zt::published_engine;

extern "C" {

DbiStatus WINAPI DbiInitFn(std::uint16_t version, EnvironmentRecord* environment) {
    return Run("DbiInitFn", [&](Engine& engine) -> Outcome {
        LogCall("DbiInitFn version=" + std::to_string(version) +
                " language=" + (environment ? FieldText(environment->language) : std::string()));
        if (version != kInterfaceVersion)
            return InvalidParameter("interface version " + std::to_string(version) + " is not served");
        if (engine.started)
            return {kAlreadyInitialised, "the engine is started already"};
        try {
            engine.aliases = ReadAliasStore(ReadStoreFile());
        } catch (const StoreFailure& failure) {
            return {failure.status, failure.context};
        }
        engine.started = true;
        engine.configurationMode = kModeSession;
        return {};
    });
}

DbiStatus WINAPI DbiGetCurrSession(DbiHandle* session) {
    return RunStarted("DbiGetCurrSession", [&](Engine& engine) -> Outcome {
        if (session == nullptr)
            return InvalidParameter("no place for the session handle");
        *session = engine.Session();
        return {};
    });
}

DbiStatus WINAPI DbiSetProp(DbiHandle object, std::uint32_t property, std::uint32_t value) {
    return Run("DbiSetProp", [&](Engine& engine) -> Outcome {
        LogCall("DbiSetProp property=" + Hex(property) + " value=" + std::to_string(value));
        if (!engine.started)
            return NotStarted();
        if (object != engine.Session())
            return {kInvalidHandle, "not a session handle"};
        if (property != kConfigurationModeProperty)
            return InvalidParameter("property " + Hex(property) + " is not served");
        if ((value & ~(kModeVirtual | kModePersistent | kModeSession)) != 0)
            return InvalidParameter("configuration mode " + Hex(value));
        engine.configurationMode = value;
        return {};
    });
}

DbiStatus WINAPI DbiOpenDatabaseList(DbiHandle* cursor) {
    return RunStarted("DbiOpenDatabaseList", [&](Engine& engine) -> Outcome {
        if (cursor == nullptr)
            return InvalidParameter("no place for the cursor handle");
        // The store holds persistent aliases only; this session defines none of its own.
        Cursor list;
        if ((engine.configurationMode & kModePersistent) != 0)
            for (const StoredAlias& alias : engine.aliases)
                list.records.push_back(Bytes(Describe(alias)));
        *cursor = engine.Open(std::move(list));
        return {};
    });
}

DbiStatus WINAPI DbiGetNextRecord(DbiHandle cursor, std::uint32_t lock, void* record,
                                  void* /*recordProperties*/) {
    return RunStarted("DbiGetNextRecord", [&](Engine& engine) -> Outcome {
        Cursor* const open = engine.FindCursor(cursor);
        if (open == nullptr)
            return {kInvalidHandle, "not an open cursor"};
        if (lock != 0)
            return InvalidParameter("lock type " + std::to_string(lock) + " on a read-only list");
        if (record == nullptr)
            return InvalidParameter("no record buffer");
        if (open->next == open->records.size())
            return {kEndOfTable, "no record follows"};
#ifdef ZT_PUBLISHED_ENGINE_REFUSED_RECORD_PREFIX
        // Both kinds of record begin with their name's field.
        if (const std::string& next = open->records[open->next];
            std::string_view(next.c_str()).starts_with(ZT_PUBLISHED_ENGINE_REFUSED_RECORD_PREFIX))
            return {kRecordRefused, "record " + std::string(next.c_str()) + " refused"};
#endif
        const std::string& bytes = open->records[open->next++];
        std::memcpy(record, bytes.data(), bytes.size());
        return {};
    });
}

DbiStatus WINAPI DbiCloseCursor(DbiHandle* cursor) {
    return RunStarted("DbiCloseCursor", [&](Engine& engine) -> Outcome {
        if (cursor == nullptr)
            return InvalidParameter("no cursor handle");
        if (engine.FindCursor(*cursor) == nullptr)
            return {kInvalidHandle, "not an open cursor"};
        std::erase_if(engine.cursors,
                      [&](const std::unique_ptr<Cursor>& open) { return open.get() == *cursor; });
        *cursor = nullptr;
        return {};
    });
}

DbiStatus WINAPI DbiGetDatabaseDesc(const char* alias, DatabaseDescription* description) {
    return RunStarted("DbiGetDatabaseDesc", [&](Engine& engine) -> Outcome {
        if (alias == nullptr || description == nullptr)
            return InvalidParameter("no alias name or no description");
        const StoredAlias* const found = engine.FindAlias(alias);
        if (found == nullptr)
            return {kUnknownDatabase, std::string("alias ") + alias};
        *description = Describe(*found);
        return {};
    });
}

DbiStatus WINAPI DbiOpenCfgInfoList(DbiHandle configuration, std::uint32_t openMode,
                                    std::uint32_t configurationMode, const char* path, DbiHandle* cursor) {
    return RunStarted("DbiOpenCfgInfoList", [&](Engine& engine) -> Outcome {
        if (configuration != nullptr)
            return InvalidParameter("only the engine's own configuration is served");
        if (openMode != kOpenReadOnly || configurationMode != kConfigurationPersistent)
            return InvalidParameter("only the stored configuration is served, read-only");
        if (path == nullptr || cursor == nullptr)
            return InvalidParameter("no path or no place for the cursor handle");
        // \DATABASES\<alias>\DB INFO or \DATABASES\<alias>\DB OPEN
        constexpr std::string_view kRoot = "\\DATABASES\\";
        const std::string_view branchPath = path;
        const auto branchAt = branchPath.rfind('\\');
        const StoredAlias* alias = nullptr;
        if (branchPath.size() > kRoot.size() &&
            EqualIgnoringAsciiCase(branchPath.substr(0, kRoot.size()), kRoot) && branchAt > kRoot.size())
            alias = engine.FindAlias(branchPath.substr(kRoot.size(), branchAt - kRoot.size()));
        const std::string_view branch = branchPath.substr(branchAt + 1);
        const std::vector<StoreEntry>* entries = nullptr;
        if (alias != nullptr && EqualIgnoringAsciiCase(branch, "DB INFO"))
            entries = &alias->info;
        if (alias != nullptr && EqualIgnoringAsciiCase(branch, "DB OPEN"))
            entries = &alias->open;
        if (entries == nullptr)
            return {kObjectNotFound, "no branch " + std::string(branchPath)};
        Cursor nodes;
        for (const StoreEntry& entry : *entries) {
            ConfigurationNode node{};
            Put(node.name, entry.name);
            Put(node.value, entry.value);
            nodes.records.push_back(Bytes(node));
        }
        *cursor = engine.Open(std::move(nodes));
        return {};
    });
}

// Both error readers work before the start too: they report on failed starts, and reading the
// entries with the texts of their statuses leaves the error stack as it is.
DbiStatus WINAPI DbiGetErrorString(DbiStatus status, char* message) {
    if (message == nullptr)
        return kInvalidParameter;
    const std::string_view text = StatusText(status);
    const std::size_t length = std::min(text.size(), kMessageBuffer - 1);
    std::memcpy(message, text.data(), length);
    message[length] = '\0';
    return kSuccess;
}

DbiStatus WINAPI DbiGetErrorEntry(std::uint16_t entry, std::uint32_t* nativeError, char* context) {
    Engine& engine = TheEngine();
    const std::lock_guard guard(engine.lock);
    const bool exists = entry >= 1 && entry <= engine.errors.size();
    if (nativeError != nullptr)
        *nativeError = 0; // the engine itself failed: no database server is involved
    if (context != nullptr) {
        const std::string_view text = exists ? std::string_view(engine.errors[entry - 1].context) : "";
        const std::size_t length = std::min(text.size(), kMessageBuffer - 1);
        std::memcpy(context, text.data(), length);
        context[length] = '\0';
    }
    return exists ? engine.errors[entry - 1].status : kSuccess;
}

#ifdef ZT_PUBLISHED_ENGINE_COUNTS_CURSORS
// A test build's eleventh export: how many cursors are open.
std::uint32_t WINAPI ZtOpenCursors() {
    Engine& engine = TheEngine();
    const std::lock_guard guard(engine.lock);
    return static_cast<std::uint32_t>(engine.cursors.size());
}
#endif

} // extern "C"

static_assert(std::is_same_v<decltype(&DbiInitFn), DbiInitFnProc>);
static_assert(std::is_same_v<decltype(&DbiGetCurrSession), DbiGetCurrSessionProc>);
static_assert(std::is_same_v<decltype(&DbiSetProp), DbiSetPropProc>);
static_assert(std::is_same_v<decltype(&DbiOpenDatabaseList), DbiOpenDatabaseListProc>);
static_assert(std::is_same_v<decltype(&DbiGetNextRecord), DbiGetNextRecordProc>);
static_assert(std::is_same_v<decltype(&DbiCloseCursor), DbiCloseCursorProc>);
static_assert(std::is_same_v<decltype(&DbiGetDatabaseDesc), DbiGetDatabaseDescProc>);
static_assert(std::is_same_v<decltype(&DbiOpenCfgInfoList), DbiOpenCfgInfoListProc>);
static_assert(std::is_same_v<decltype(&DbiGetErrorString), DbiGetErrorStringProc>);
static_assert(std::is_same_v<decltype(&DbiGetErrorEntry), DbiGetErrorEntryProc>);
