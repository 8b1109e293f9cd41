#pragma once
// The database engine's registry key, HKLM\Software\Borland\Database Engine, with its DLLPATH set for
// a scope in one registry view; whatever the object created is removed again at the end. The
// engine's installer writes the view of 32-bit programs (KEY_WOW64_32KEY), whatever the width of the
// process that reads it.
#include <optional>
#include <string>
#include <windows.h>

namespace zt::test {

class EngineRegistryKey {
public:
    // dllPath empty: the key without the value.
    EngineRegistryKey(const std::optional<std::wstring>& dllPath, REGSAM view);
    ~EngineRegistryKey();
    EngineRegistryKey(const EngineRegistryKey&) = delete;
    EngineRegistryKey& operator=(const EngineRegistryKey&) = delete;

    static bool DllPathExists(REGSAM view);

private:
    REGSAM view_;
    bool createdVendor_;
    bool createdEngine_;
};

} // namespace zt::test
