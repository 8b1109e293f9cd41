#include "platform/catalogue/EngineLibrary.h"

#include "interfaces/EngineInterface.h"

#include <optional>
#include <string>

namespace zt::platform {
namespace {

constexpr const wchar_t* kLibraryName = L"IDAPI32.DLL";
constexpr const wchar_t* kEngineKey = L"Software\\Borland\\Database Engine";
constexpr DWORD kDllPathBufferBytes = 260;

class ErrorModeScope {
public:
    ErrorModeScope() : previous_(SetErrorMode(SEM_NOOPENFILEERRORBOX)) {}
    ~ErrorModeScope() { SetErrorMode(previous_); }
    ErrorModeScope(const ErrorModeScope&) = delete;
    ErrorModeScope& operator=(const ErrorModeScope&) = delete;

private:
    UINT previous_;
};

struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using KeyHandle = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

std::wstring CurrentDirectory() {
    std::wstring directory(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(directory.size()), directory.data());
        if (length == 0)
            return {};
        if (length < directory.size()) {
            directory.resize(length);
            return directory;
        }
        directory.resize(length);
    }
}

bool IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::optional<std::wstring> RegistryDllPath() {
    HKEY opened = nullptr;
    // The engine is a 32-bit library, registered in the registry view of 32-bit programs; asking for
    // that view changes nothing in a 32-bit process.
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kEngineKey, 0, KEY_READ | KEY_WOW64_32KEY, &opened) !=
        ERROR_SUCCESS)
        return std::nullopt;
    const KeyHandle key(opened);
    BYTE buffer[kDllPathBufferBytes];
    DWORD size = sizeof buffer;
    DWORD type = 0;
    if (RegQueryValueExW(key.get(), L"DLLPATH", nullptr, &type, buffer, &size) != ERROR_SUCCESS)
        return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return std::nullopt;
    // The stored text need not end in a NUL.
    std::wstring path(reinterpret_cast<const wchar_t*>(buffer), size / sizeof(wchar_t));
    path.resize(path.find(L'\0') == std::wstring::npos ? path.size() : path.find(L'\0'));
    return path;
}

std::optional<std::wstring> SearchAlong(const std::wstring& searchPath) {
    std::wstring found(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = SearchPathW(searchPath.c_str(), kLibraryName, nullptr,
                                         static_cast<DWORD>(found.size()), found.data(), nullptr);
        if (length == 0)
            return std::nullopt;
        if (length < found.size()) {
            found.resize(length);
            return found;
        }
        found.resize(length);
    }
}

} // namespace

EngineLibraryLoad LoadEngineLibrary() {
    const ErrorModeScope errorMode;
    EngineLibraryLoad load;
    const auto attempt = [&load](const std::wstring& path) {
        load.module.reset(LoadLibraryW(path.c_str()));
        load.error = load.module ? 0 : GetLastError();
        return load.module != nullptr;
    };

    std::wstring besideUs = CurrentDirectory();
    if (!besideUs.empty() && besideUs.back() != L'\\')
        besideUs += L'\\';
    besideUs += kLibraryName;
    if (IsFile(besideUs) && attempt(besideUs))
        return load;

    if (const std::optional<std::wstring> dllPath = RegistryDllPath(); dllPath && !dllPath->empty())
        if (const std::optional<std::wstring> found = SearchAlong(*dllPath); found && attempt(*found))
            return load;

    attempt(kLibraryName);
    return load;
}

std::uint16_t StatusForLoadError(DWORD systemError) {
    switch (systemError) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_MOD_NOT_FOUND:
    case ERROR_BAD_PATHNAME:
        return engine_interface::kNoEngineLibrary;
    case ERROR_OUTOFMEMORY:
        return engine_interface::kNotEnoughMemory;
    default:
        return engine_interface::kEngineNotLoadable;
    }
}

} // namespace zt::platform
