// Libraries that stand where the engine is searched for but are not a working engine: one without
// DbiInitFn, one whose DbiInitFn refuses to start, and one whose DbiInitFn refuses with a status
// that tells whether the system's error dialogs for files were off while the library was loaded.
#include <cstdint>
#include <windows.h>

#if defined(ZT_FAKE_INIT_STATUS)
extern "C" __declspec(dllexport) std::uint16_t __stdcall DbiInitFn(std::uint16_t, const void*) {
    return ZT_FAKE_INIT_STATUS;
}
#elif defined(ZT_FAKE_REPORTS_ERROR_MODE)
namespace {
UINT errorModeWhileLoaded = 0;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        errorModeWhileLoaded = GetErrorMode();
    return TRUE;
}

// 3E01 when the dialogs were off, 3E00 when they were not.
extern "C" __declspec(dllexport) std::uint16_t __stdcall DbiInitFn(std::uint16_t, const void*) {
    return (errorModeWhileLoaded & SEM_NOOPENFILEERRORBOX) != 0 ? 0x3E01 : 0x3E00;
}
#else
extern "C" __declspec(dllexport) std::uint16_t __stdcall DbiGetCurrSession(void**) {
    return 0;
}
#endif
