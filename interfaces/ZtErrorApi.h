#ifndef ZT_ERROR_API_H
#define ZT_ERROR_API_H
/*
 * The plain C interface between the program and the error-display module ZtError.dll.
 *
 * The program looks up "PGnMostrarError" (exported undecorated) and calls it synchronously:
 *
 *   PGnMostrarError(owner, title, kind, 0, &error);
 *
 * - owner: the window that owns the report; the module disables it while the report is shown.
 * - title, kind: OLE strings (BSTR) allocated by the program for the call; kind is "R", "C" or "X".
 * - zero: always 0.
 * - error: the program's view of the error, built for the call.
 *
 * Everything passed stays owned by the program and is valid only during the call: the module
 * keeps nothing and releases nothing. The call returns only once the module has finished all its
 * work, its report window closed included, because the program unloads the module right after.
 *
 * No exception may cross the module boundary. A module that fails reports its failure through
 * error->Raise before it returns; the program then raises that failure as an error of its own once
 * the module has been released. Nothing the entry point returns is used.
 */
#include <stdint.h>
#include <windows.h>
#include <wtypes.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Called by a failing module with the text of its failure; the text is copied during the call. */
typedef void(WINAPI* ZtErrorRaiseFn)(void* raiseContext, const wchar_t* message);

typedef struct ZtErrorObject {
    uint32_t structSize; /* sizeof(ZtErrorObject); lets a module tell a shorter, older layout */

    const wchar_t* className; /* "Exception", "EOSError", "EConvertError", ...; never NULL */
    const wchar_t* message;   /* never NULL, possibly empty */

    int32_t hasOSErrorCode; /* nonzero for an EOSError */
    uint32_t osErrorCode;

    uint32_t engineStatusCount; /* the status codes of an EDBEngineError; 0 and NULL otherwise */
    const uint16_t* engineStatusCodes;

    ZtErrorRaiseFn raise; /* never NULL */
    void* raiseContext;
} ZtErrorObject;

typedef void(WINAPI* PGnMostrarErrorFn)(HWND owner, BSTR title, BSTR kind, int32_t zero,
                                        const ZtErrorObject* error);

#define ZT_ERROR_MODULE_NAME L"ZtError.dll"
#define ZT_ERROR_ENTRY_POINT_NAME "PGnMostrarError"

#ifdef __cplusplus
}
#endif

#endif
