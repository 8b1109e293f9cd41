// The database engine's published interface, IDAPI32.DLL: the entry points that the alias catalogue
// binds, their records and the statuses that matter to the system. The workstation's engine is a
// closed 32-bit library that exports exactly these; the stand-in engine of the tests implements
// them. Every entry point is stdcall, exported under its plain name, and returns a status.
#pragma once

#include <cstddef>
#include <cstdint>

#ifdef ZT_ENGINE_BUILD
#define ZT_ENGINE_ENTRY extern "C" __declspec(dllexport)
#else
#define ZT_ENGINE_ENTRY extern "C"
#endif
#define ZT_ENGINE_CALL __stdcall

namespace zt::engine_interface {

using Status = std::uint16_t;
// Opaque handles that the engine gives out.
using SessionHandle = void*;
using CursorHandle = void*;
using ObjectHandle = void*;
using ConfigHandle = void*;

inline constexpr std::uint16_t kInterfaceVersion = 500;

// Statuses.
inline constexpr Status kOk = 0x0000;
inline constexpr Status kNoEngineLibrary = 0x2108;
inline constexpr Status kEngineNotLoadable = 0x2109;
inline constexpr Status kEndOfTable = 0x2202;
inline constexpr Status kObjectNotFound = 0x2208;
inline constexpr Status kNotEnoughMemory = 0x2501;
inline constexpr Status kInvalidParameter = 0x2702;
inline constexpr Status kInvalidHandle = 0x2706;
inline constexpr Status kInvalidSessionHandle = 0x271B;
inline constexpr Status kUnknownDatabase = 0x271E;
inline constexpr Status kNotInitialised = 0x2A06;
inline constexpr Status kAlreadyInitialised = 0x2A07; // a success for a start
// A failure reported by a database server: its entries' context texts say everything.
inline constexpr Status kServerError = 0x2EC4;

// The session's configuration mode: which alias origins the database list shows.
inline constexpr std::uint32_t kPropConfigMode = 0x0002000C;
inline constexpr std::uint32_t kConfigModeVirtual = 0x1;
inline constexpr std::uint32_t kConfigModePersistent = 0x2;
inline constexpr std::uint32_t kConfigModeSession = 0x4;

// DbiOpenCfgInfoList's open and configuration modes.
inline constexpr std::int32_t kOpenReadWrite = 0;
inline constexpr std::int32_t kOpenReadOnly = 1;
inline constexpr std::int32_t kConfigPersistent = 0;
inline constexpr std::int32_t kConfigSession = 1;
inline constexpr std::int32_t kConfigAll = 2;

inline constexpr std::int32_t kNoLock = 0;

// Names (31 bytes and a NUL), paths (260 and a NUL), status and context texts.
inline constexpr std::size_t kNameField = 32;
inline constexpr std::size_t kPathField = 261;
inline constexpr std::size_t kDescriptionField = 128;
inline constexpr std::size_t kValueField = 128;
inline constexpr std::size_t kMessageField = 128;

#pragma pack(push, 1)

struct Environment {
    char workingDirectory[kPathField];
    char configurationFile[kPathField];
    std::uint16_t forceLocalStart;
    char language[kNameField];
    char clientName[kNameField];
};

struct DatabaseDescription {
    char name[kNameField];
    char text[kNameField];
    char physicalName[kPathField];
    char driverType[kNameField];
};

struct ConfigNode {
    char name[kNameField];
    char description[kDescriptionField];
    std::uint16_t dataType;
    char value[kValueField];
    std::uint16_t hasSubNodes;
};

#pragma pack(pop)

static_assert(sizeof(Environment) == 588);
static_assert(offsetof(Environment, configurationFile) == 261);
static_assert(offsetof(Environment, forceLocalStart) == 522);
static_assert(offsetof(Environment, language) == 524);
static_assert(offsetof(Environment, clientName) == 556);

static_assert(sizeof(DatabaseDescription) == 357);
static_assert(offsetof(DatabaseDescription, text) == 32);
static_assert(offsetof(DatabaseDescription, physicalName) == 64);
static_assert(offsetof(DatabaseDescription, driverType) == 325);

static_assert(sizeof(ConfigNode) == 292);
static_assert(offsetof(ConfigNode, description) == 32);
static_assert(offsetof(ConfigNode, dataType) == 160);
static_assert(offsetof(ConfigNode, value) == 162);
static_assert(offsetof(ConfigNode, hasSubNodes) == 290);

} // namespace zt::engine_interface

// The entry points. The catalogue binds them by name at run time; the stand-in defines them.
ZT_ENGINE_ENTRY zt::engine_interface::Status ZT_ENGINE_CALL
DbiInitFn(std::uint16_t version, zt::engine_interface::Environment* environment);
ZT_ENGINE_ENTRY zt::engine_interface::Status ZT_ENGINE_CALL
DbiGetCurrSession(zt::engine_interface::SessionHandle* session);
ZT_ENGINE_ENTRY zt::engine_interface::Status ZT_ENGINE_CALL
DbiSetProp(zt::engine_interface::ObjectHandle object, std::uint32_t property, std::uint32_t value);
ZT_ENGINE_ENTRY zt::engine_interface::Status ZT_ENGINE_CALL
DbiOpenDatabaseList(zt::engine_interface::CursorHandle* cursor);
ZT_ENGINE_ENTRY zt::engine_interface::Status ZT_ENGINE_CALL DbiGetNextRecord(
    zt::engine_interface::CursorHandle cursor, std::int32_t lock, void* record, void* recordProperties);
ZT_ENGINE_ENTRY zt::engine_interface::Status ZT_ENGINE_CALL
DbiCloseCursor(zt::engine_interface::CursorHandle* cursor);
ZT_ENGINE_ENTRY zt::engine_interface::Status ZT_ENGINE_CALL
DbiGetDatabaseDesc(const char* alias, zt::engine_interface::DatabaseDescription* description);
ZT_ENGINE_ENTRY zt::engine_interface::Status ZT_ENGINE_CALL
DbiOpenCfgInfoList(zt::engine_interface::ConfigHandle config, std::int32_t openMode, std::int32_t configMode,
                   const char* path, zt::engine_interface::CursorHandle* cursor);
// text: a buffer of kMessageField bytes.
ZT_ENGINE_ENTRY zt::engine_interface::Status ZT_ENGINE_CALL
DbiGetErrorString(zt::engine_interface::Status status, char* text);
// The entry of that number (from 1) of the last failure: its status, 0 when there is none.
ZT_ENGINE_ENTRY zt::engine_interface::Status ZT_ENGINE_CALL DbiGetErrorEntry(std::uint16_t entry,
                                                                             std::int32_t* nativeCode,
                                                                             char* context);
