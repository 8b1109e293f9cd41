#pragma once
// The system dpi that processes started from now on use: HKCU\Control Panel\Desktop LogPixels, read
// at process start. The earlier value comes back when the object goes.
#include <optional>
#include <windows.h>

namespace zt::e2e {

class SystemDpi {
public:
    explicit SystemDpi(DWORD dpi);
    ~SystemDpi();
    SystemDpi(const SystemDpi&) = delete;
    SystemDpi& operator=(const SystemDpi&) = delete;

private:
    std::optional<DWORD> previous_;
};

} // namespace zt::e2e
