// Libraries that stand where the engine is searched for but are not a working engine: one without
// DbiInitFn, one whose DbiInitFn refuses to start.
#include <cstdint>

#ifdef ZT_FAKE_INIT_STATUS
extern "C" __declspec(dllexport) std::uint16_t __stdcall DbiInitFn(std::uint16_t, const void*) {
    return ZT_FAKE_INIT_STATUS;
}
#else
extern "C" __declspec(dllexport) std::uint16_t __stdcall DbiGetCurrSession(void**) {
    return 0;
}
#endif
