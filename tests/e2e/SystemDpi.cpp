#include "SystemDpi.h"

#include <stdexcept>
#include <string>

namespace zt::e2e {
namespace {

constexpr const wchar_t* kKey = L"Control Panel\\Desktop";
constexpr const wchar_t* kValue = L"LogPixels";

void Write(DWORD dpi) {
    const LSTATUS status = RegSetKeyValueW(HKEY_CURRENT_USER, kKey, kValue, REG_DWORD, &dpi, sizeof dpi);
    if (status != ERROR_SUCCESS)
        throw std::runtime_error("cannot set LogPixels (error " + std::to_string(status) + ")");
}

} // namespace

SystemDpi::SystemDpi(DWORD dpi) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, kKey, kValue, RRF_RT_REG_DWORD, nullptr, &value, &size) ==
        ERROR_SUCCESS)
        previous_ = value;
    Write(dpi);
}

SystemDpi::~SystemDpi() {
    if (previous_)
        Write(*previous_);
    else
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, kValue);
}

} // namespace zt::e2e
