#include "runtime/ExecutableFileName.h"

#include "runtime/Exceptions.h"

#include <windows.h>

namespace zt {

std::wstring ExecutableFileName() {
    // Paths may exceed MAX_PATH; a result that fills the buffer may have been cut, so grow and retry.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            RaiseLastOSError();
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

} // namespace zt
