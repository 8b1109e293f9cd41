// An IDAPI32.DLL whose start crashes the process that calls it, as a faulty engine would.
#include <cstdint>

extern "C" __declspec(dllexport) std::uint16_t __stdcall DbiInitFn(std::uint16_t, const void*) {
    *static_cast<volatile std::uint32_t*>(nullptr) = 0;
    return 0;
}
