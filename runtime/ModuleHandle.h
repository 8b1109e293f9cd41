#pragma once
// A loaded library, released when it goes out of scope.
#include <memory>
#include <type_traits>
#include <windows.h>

namespace zt {

struct ModuleRelease {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using ModuleHandle = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleRelease>;

inline ModuleHandle LoadModule(const wchar_t* fileName) {
    return ModuleHandle(LoadLibraryW(fileName));
}

} // namespace zt
