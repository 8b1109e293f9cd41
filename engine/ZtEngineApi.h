/* The C interface of the stand-in database engine, IDAPI32.DLL.
 *
 * Every entry point returns a status (ZT_ENG_OK on success). Texts cross the interface in the OEM code
 * page, NUL-terminated. After a failed call the engine keeps the entries of that error until the next
 * call that can fail; ZtEngGetErrorEntry and ZtEngGetStatusText leave them alone. */
#ifndef ZT_ENGINE_API_H
#define ZT_ENGINE_API_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifdef ZT_ENGINE_BUILD
#define ZT_ENG_API __declspec(dllexport)
#else
#define ZT_ENG_API
#endif
#define ZT_ENG_CALL __stdcall

typedef uint16_t ZtEngStatus;
typedef struct ZtEngSessionTag* ZtEngSession;
typedef struct ZtEngCursorTag* ZtEngCursor;

/* Status codes. */
#define ZT_ENG_OK 0x0000u
#define ZT_ENG_END_OF_LIST 0x2101u       /* no record follows */
#define ZT_ENG_OUT_OF_MEMORY 0x2501u     /* not enough memory */
#define ZT_ENG_ALREADY_STARTED 0x2A07u   /* DbiInitFn called again in a started process: still a success */
#define ZT_ENG_NOT_STARTED 0x2A08u       /* a request before DbiInitFn */
#define ZT_ENG_BAD_VERSION 0x2A09u       /* DbiInitFn with an interface version other than ZT_ENG_VERSION */
#define ZT_ENG_INVALID_PARAMETER 0x2C01u /* a null pointer or a value out of range */
#define ZT_ENG_INVALID_HANDLE 0x2C02u    /* a session or cursor handle that the engine did not give */
#define ZT_ENG_STORE_MISSING 0x2D01u     /* aliases.cfg cannot be opened or read */
#define ZT_ENG_STORE_MALFORMED 0x2D02u   /* a line of aliases.cfg breaks the store's rules */
#define ZT_ENG_UNKNOWN_ALIAS 0x2D03u     /* no alias of that name */
#define ZT_ENG_NO_DRIVER_TYPE 0x2D04u    /* the alias has no TYPE entry: its description cannot be read */
#define ZT_ENG_UNKNOWN_BRANCH 0x2D05u    /* a configuration path that names no branch */
#define ZT_ENG_INTERNAL_ERROR 0x2D06u    /* an unexpected failure inside the engine */

#define ZT_ENG_VERSION 500u

/* Configuration modes: which alias origins the alias list shows. A new session shows only the
 * aliases defined in the session; the store's aliases are persistent ones. */
#define ZT_ENG_CFG_VIRTUAL 0x1u
#define ZT_ENG_CFG_PERSISTENT 0x2u
#define ZT_ENG_CFG_SESSION 0x4u

#define ZT_ENG_NAME_SIZE 32  /* names of at most 31 bytes and their NUL */
#define ZT_ENG_TEXT_SIZE 256 /* status and context texts, cut to 255 bytes */
#define ZT_ENG_PATH_SIZE 260

typedef struct ZtEngEnv {
    char workDir[ZT_ENG_PATH_SIZE];
    char configFile[ZT_ENG_PATH_SIZE];
    int32_t forceLocalStart;
    char language[ZT_ENG_NAME_SIZE]; /* "0009" */
    char clientName[ZT_ENG_NAME_SIZE];
} ZtEngEnv;

typedef struct ZtEngAliasRecord {
    char name[ZT_ENG_NAME_SIZE];
} ZtEngAliasRecord;

typedef struct ZtEngAliasDesc {
    char name[ZT_ENG_NAME_SIZE];
    char driverType[ZT_ENG_NAME_SIZE];
    char path[ZT_ENG_PATH_SIZE];          /* PATH of DB INFO, empty when absent, cut to 259 bytes */
    char defaultDriver[ZT_ENG_NAME_SIZE]; /* DEFAULT DRIVER of DB INFO, cut to 31 bytes */
} ZtEngAliasDesc;

/* Both texts stay valid until the next call on the same cursor or its close. */
typedef struct ZtEngConfigEntry {
    const char* name;
    const char* value;
} ZtEngConfigEntry;

typedef struct ZtEngErrorEntry {
    ZtEngStatus status;
    int32_t nativeCode; /* an error code of a database server; 0 when the engine itself failed */
    char context[ZT_ENG_TEXT_SIZE];
} ZtEngErrorEntry;

/* Starts the engine for the process and reads its store, aliases.cfg beside this DLL. A store that
 * cannot be read does not stop the start: every later request fails with the store's error. */
ZT_ENG_API ZtEngStatus ZT_ENG_CALL DbiInitFn(uint16_t version, const ZtEngEnv* env);

ZT_ENG_API ZtEngStatus ZT_ENG_CALL ZtEngGetSession(ZtEngSession* session);
ZT_ENG_API ZtEngStatus ZT_ENG_CALL ZtEngSetConfigMode(ZtEngSession session, uint16_t mode);

/* The aliases, in the order of their first section in the store. */
ZT_ENG_API ZtEngStatus ZT_ENG_CALL ZtEngOpenAliasList(ZtEngSession session, ZtEngCursor* cursor);
ZT_ENG_API ZtEngStatus ZT_ENG_CALL ZtEngNextAlias(ZtEngCursor cursor, ZtEngAliasRecord* record);

/* alias: OEM text, compared without regard to the case of ASCII letters. */
ZT_ENG_API ZtEngStatus ZT_ENG_CALL ZtEngGetAliasDesc(ZtEngSession session, const char* alias,
                                                     ZtEngAliasDesc* desc);

/* path: "\DATABASES\<alias>\DB INFO" or "\DATABASES\<alias>\DB OPEN"; entries in stored order. */
ZT_ENG_API ZtEngStatus ZT_ENG_CALL ZtEngOpenConfigBranch(ZtEngSession session, const char* path,
                                                         ZtEngCursor* cursor);
ZT_ENG_API ZtEngStatus ZT_ENG_CALL ZtEngNextConfigEntry(ZtEngCursor cursor, ZtEngConfigEntry* entry);

ZT_ENG_API ZtEngStatus ZT_ENG_CALL ZtEngCloseCursor(ZtEngCursor cursor);

/* text: a buffer of ZT_ENG_TEXT_SIZE bytes; an unknown status gets an empty text. */
ZT_ENG_API ZtEngStatus ZT_ENG_CALL ZtEngGetStatusText(ZtEngStatus status, char* text);

/* The entries of the last error, from index 1; ZT_ENG_END_OF_LIST past the last. */
ZT_ENG_API ZtEngStatus ZT_ENG_CALL ZtEngGetErrorEntry(uint32_t index, ZtEngErrorEntry* entry);

#ifdef __cplusplus
}
#endif

#endif
