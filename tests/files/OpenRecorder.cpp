#include "tests/files/OpenRecorder.h"

#include <memory>
#include <stdexcept>

#include <windows.h>

namespace zt::test {
namespace {

inline constexpr const wchar_t* kProgId = L"ZtOpenRecorder.ini";

struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using Key = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

bool SetDefaultValue(HKEY root, const std::wstring& subKey, const std::wstring& value) {
    HKEY key = nullptr;
    const std::wstring path = L"Software\\Classes\\" + subKey;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const Key owned(key);
    const auto size = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(owned.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          size) == ERROR_SUCCESS;
}

bool Register(HKEY root, const std::wstring& recorderPath) {
    return SetDefaultValue(root, std::wstring(kProgId) + L"\\shell\\open\\command",
                           L"\"" + recorderPath + L"\" \"%1\"") &&
           SetDefaultValue(root, L".ini", kProgId);
}

} // namespace

void RegisterOpenRecorder(const std::wstring& recorderPath) {
    if (!Register(HKEY_CURRENT_USER, recorderPath))
        throw std::runtime_error("cannot register the open recorder for the current user");
    // Wine's classes root reads only the machine's classes, not the user's; on Windows the machine's
    // need rights the user may lack, and the user's entry takes precedence there anyway.
    Register(HKEY_LOCAL_MACHINE, recorderPath);
}

} // namespace zt::test
