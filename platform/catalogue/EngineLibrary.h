#pragma once
// Finding and loading the engine library, IDAPI32.DLL.
#include "runtime/ModuleHandle.h"

#include <cstdint>

#include <windows.h>

namespace zt::platform {

struct EngineLibraryLoad {
    ModuleHandle module; // empty when nothing loaded
    DWORD error = 0;     // the system error of the last attempt, when nothing loaded
};

// The current directory, then the registry's DLLPATH, then the system's standard search; the
// system's error dialogs for files that cannot be opened are off meanwhile.
EngineLibraryLoad LoadEngineLibrary();

// The start failure status for a library that could not be loaded.
std::uint16_t StatusForLoadError(DWORD systemError);

} // namespace zt::platform
