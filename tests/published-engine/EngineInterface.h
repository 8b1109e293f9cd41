#pragma once
// The workstation engine's interface as its publisher documents it, declared here on our own for a
// test double that the program must be able to use in place of the real engine: stdcall entry
// points exported under plain names, byte-packed records, 16-bit statuses.
#include <cstddef>
#include <cstdint>
#include <windows.h>

namespace zt::published_engine {

using DbiStatus = std::uint16_t;
using DbiHandle = void*;

inline constexpr DbiStatus kSuccess = 0x0000;
inline constexpr DbiStatus kLibraryNotFound = 0x2108;
inline constexpr DbiStatus kLibraryNotLoadable = 0x2109;
inline constexpr DbiStatus kEndOfTable = 0x2202;
inline constexpr DbiStatus kObjectNotFound = 0x2208;
inline constexpr DbiStatus kNoMemory = 0x2501;
inline constexpr DbiStatus kInvalidParameter = 0x2702;
inline constexpr DbiStatus kInvalidHandle = 0x2706;
inline constexpr DbiStatus kInvalidSessionHandle = 0x271B;
inline constexpr DbiStatus kUnknownDatabase = 0x271E;
inline constexpr DbiStatus kNotInitialised = 0x2A06;
inline constexpr DbiStatus kAlreadyInitialised = 0x2A07;
// The double's own codes, outside every published range: what only its text store can cause.
inline constexpr DbiStatus kStoreMissing = 0x7F01;
inline constexpr DbiStatus kStoreLineMalformed = 0x7F02;
inline constexpr DbiStatus kStoreAliasWithoutType = 0x7F03;

inline constexpr std::uint16_t kInterfaceVersion = 500;
inline constexpr std::uint32_t kConfigurationModeProperty = 0x0002000C;
inline constexpr std::uint32_t kModeVirtual = 0x1;
inline constexpr std::uint32_t kModePersistent = 0x2;
inline constexpr std::uint32_t kModeSession = 0x4;
inline constexpr std::uint32_t kOpenReadOnly = 1;
inline constexpr std::uint32_t kConfigurationPersistent = 0;

inline constexpr std::size_t kNameField = 32;   // at most 31 bytes and the NUL
inline constexpr std::size_t kValueField = 128; // at most 127 bytes and the NUL
inline constexpr std::size_t kPathField = 261;
inline constexpr std::size_t kMessageBuffer = 128;

#pragma pack(push, 1)
struct EnvironmentRecord {
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

struct ConfigurationNode {
    char name[kNameField];
    char description[kValueField];
    std::uint16_t dataType;
    char value[kValueField];
    std::uint16_t hasSubNodes;
};
#pragma pack(pop)

static_assert(sizeof(EnvironmentRecord) == 588);
static_assert(offsetof(EnvironmentRecord, configurationFile) == 261);
static_assert(offsetof(EnvironmentRecord, forceLocalStart) == 522);
static_assert(offsetof(EnvironmentRecord, language) == 524);
static_assert(offsetof(EnvironmentRecord, clientName) == 556);

static_assert(sizeof(DatabaseDescription) == 357);
static_assert(offsetof(DatabaseDescription, text) == 32);
static_assert(offsetof(DatabaseDescription, physicalName) == 64);
static_assert(offsetof(DatabaseDescription, driverType) == 325);

static_assert(sizeof(ConfigurationNode) == 292);
static_assert(offsetof(ConfigurationNode, description) == 32);
static_assert(offsetof(ConfigurationNode, dataType) == 160);
static_assert(offsetof(ConfigurationNode, value) == 162);
static_assert(offsetof(ConfigurationNode, hasSubNodes) == 290);

// The entry points, in the form GetProcAddress hands them out.
using DbiInitFnProc = DbiStatus(WINAPI*)(std::uint16_t version, EnvironmentRecord* environment);
using DbiGetCurrSessionProc = DbiStatus(WINAPI*)(DbiHandle* session);
using DbiSetPropProc = DbiStatus(WINAPI*)(DbiHandle object, std::uint32_t property, std::uint32_t value);
using DbiOpenDatabaseListProc = DbiStatus(WINAPI*)(DbiHandle* cursor);
using DbiGetNextRecordProc = DbiStatus(WINAPI*)(DbiHandle cursor, std::uint32_t lock, void* record,
                                                void* recordProperties);
using DbiCloseCursorProc = DbiStatus(WINAPI*)(DbiHandle* cursor);
using DbiGetDatabaseDescProc = DbiStatus(WINAPI*)(const char* alias, DatabaseDescription* description);
using DbiOpenCfgInfoListProc = DbiStatus(WINAPI*)(DbiHandle configuration, std::uint32_t openMode,
                                                  std::uint32_t configurationMode, const char* path,
                                                  DbiHandle* cursor);
using DbiGetErrorStringProc = DbiStatus(WINAPI*)(DbiStatus status, char* message);
using DbiGetErrorEntryProc = DbiStatus(WINAPI*)(std::uint16_t entry, std::uint32_t* nativeError,
                                                char* context);

} // namespace zt::published_engine
