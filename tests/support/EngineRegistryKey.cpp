#include "tests/support/EngineRegistryKey.h"

#include <stdexcept>

namespace zt::test {
namespace {

constexpr const wchar_t* kVendorKey = L"Software\\Borland";
constexpr const wchar_t* kEngineKey = L"Software\\Borland\\Database Engine";

bool KeyExists(const wchar_t* path, REGSAM view) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ | view, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

} // namespace

EngineRegistryKey::EngineRegistryKey(const std::optional<std::wstring>& dllPath, REGSAM view)
    : view_(view), createdVendor_(!KeyExists(kVendorKey, view)),
      createdEngine_(!KeyExists(kEngineKey, view)) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kEngineKey, 0, nullptr, 0, KEY_WRITE | view_, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create the engine's registry key");
    LSTATUS set = ERROR_SUCCESS;
    if (dllPath)
        set = RegSetValueExW(key, L"DLLPATH", 0, REG_SZ, reinterpret_cast<const BYTE*>(dllPath->c_str()),
                             static_cast<DWORD>((dllPath->size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    if (set != ERROR_SUCCESS)
        throw std::runtime_error("cannot set the engine's DLLPATH");
}

EngineRegistryKey::~EngineRegistryKey() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kEngineKey, 0, KEY_WRITE | view_, &key) == ERROR_SUCCESS) {
        RegDeleteValueW(key, L"DLLPATH");
        RegCloseKey(key);
    }
    if (createdEngine_)
        RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kEngineKey, view_, 0);
    if (createdVendor_)
        RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kVendorKey, view_, 0);
}

bool EngineRegistryKey::DllPathExists(REGSAM view) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kEngineKey, 0, KEY_READ | view, &key) != ERROR_SUCCESS)
        return false;
    const bool exists =
        RegQueryValueExW(key, L"DLLPATH", nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    return exists;
}

} // namespace zt::test
