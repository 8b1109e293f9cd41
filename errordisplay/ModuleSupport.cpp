#include "errordisplay/ModuleSupport.h"

#include <cstddef>

namespace zt::errordisplay {
namespace {

bool Carries(const ZtErrorObject* error, std::size_t fieldEnd) {
    return error != nullptr && error->structSize >= fieldEnd;
}

} // namespace

void FailWithLastError(std::wstring_view action) {
    const DWORD code = GetLastError();
    throw ModuleFailure(L"No se pudo " + std::wstring(action) + L" (código " + std::to_wstring(code) + L").");
}

std::wstring_view ClassNameOf(const ZtErrorObject* error) {
    if (!Carries(error, offsetof(ZtErrorObject, className) + sizeof(error->className)) ||
        error->className == nullptr)
        return {};
    return error->className;
}

std::wstring_view MessageOf(const ZtErrorObject* error) {
    if (!Carries(error, offsetof(ZtErrorObject, message) + sizeof(error->message)) ||
        error->message == nullptr)
        return {};
    return error->message;
}

std::wstring_view TextOf(BSTR text) {
    if (text == nullptr)
        return {};
    return {text, SysStringLen(text)};
}

HINSTANCE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

std::wstring ThisModuleFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(ThisModule(), path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            FailWithLastError(L"averiguar la carpeta del módulo");
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    path.erase(path.find_last_of(L"\\/") + 1);
    return path;
}

void SignalFailure(const ZtErrorObject* error, const wchar_t* message) noexcept {
    if (Carries(error, offsetof(ZtErrorObject, raiseContext) + sizeof(error->raiseContext)) &&
        error->raise != nullptr)
        error->raise(error->raiseContext, message);
}

} // namespace zt::errordisplay
