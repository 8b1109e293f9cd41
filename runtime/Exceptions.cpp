#include "runtime/Exceptions.h"

#include "runtime/Format.h"

#include <windows.h>

namespace zt {
namespace {

std::wstring OSErrorMessage(std::uint32_t code) {
    if (code == 0)
        return L"A call to an OS function failed";
    // The code reads as a signed 32-bit number: an HRESULT-style code of 0x80000000 up is negative.
    return L"System Error.  Code: " + IntToStr(static_cast<long long>(static_cast<std::int32_t>(code))) +
           L".\r\n" + SysErrorMessage(code);
}

} // namespace

EOSError::EOSError(std::uint32_t errorCode) : Exception(OSErrorMessage(errorCode)), errorCode_(errorCode) {}

std::wstring SysErrorMessage(std::uint32_t errorCode) {
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                           FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                       nullptr, errorCode, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text;
    if (length != 0 && buffer != nullptr)
        text.assign(buffer, length);
    if (buffer != nullptr)
        LocalFree(buffer);
    while (!text.empty() && (text.back() <= L' ' || text.back() == L'.'))
        text.pop_back();
    return text;
}

void RaiseLastOSError() {
    throw EOSError(GetLastError());
}

} // namespace zt
