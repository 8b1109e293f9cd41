#include "engine/StoreFile.h"

#include "engine/StandInStatus.h"

#include <memory>
#include <windows.h>

namespace zt::engine {
namespace {

std::wstring OwnModulePath() {
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&OwnModulePath), &self);
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(self, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

StoreFailure Missing(const std::wstring& path, DWORD error) {
    return {kStoreMissing, path + L": system error " + std::to_wstring(error)};
}

} // namespace

std::optional<StoreFailure> LoadStoreBesideModule(AliasStore& store) {
    std::wstring path = OwnModulePath();
    path.resize(path.find_last_of(L'\\') + 1);
    path += L"aliases.cfg";

    const FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE)
        return Missing(path, GetLastError());
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size))
        return Missing(path, GetLastError());
    std::string text(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < text.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size() - done, 1u << 30));
        DWORD read = 0;
        if (!ReadFile(file.get(), text.data() + done, chunk, &read, nullptr))
            return Missing(path, GetLastError());
        if (read == 0)
            break;
        done += read;
    }
    text.resize(done);
    return AliasStore::Parse(text, store);
}

} // namespace zt::engine
