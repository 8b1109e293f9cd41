// The recording build of ZtError.dll, for tests: instead of showing a report it appends one JSON
// line to ZtError.log beside itself and returns at once:
//   {"owner":"<16 upper-case hex digits>","ownerCaption":"...","ownerVisible":true|false,
//    "title":"...","kind":"X","zero":0,"class":"...","message":"...",
//    "osErrorCode":<number or null>,"engineStatusCodes":[...],"variant":"<build marker>"}
#include "errordisplay/JsonText.h"
#include "errordisplay/ModuleSupport.h"

#include <cstdio>
#include <memory>
#include <string>
#include <type_traits>

#ifndef ZT_RECORDING_VARIANT
#define ZT_RECORDING_VARIANT L"recording"
#endif

namespace zt::errordisplay {
namespace {

std::wstring CaptionOf(HWND window) {
    if (window == nullptr || !IsWindow(window))
        return {};
    std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    caption.resize(
        static_cast<std::size_t>(GetWindowTextW(window, caption.data(), static_cast<int>(caption.size()))));
    return caption;
}

std::string HandleText(HWND window) {
    char text[24];
    std::snprintf(text, sizeof text, "%016llX",
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(window)));
    return text;
}

std::string ReportLine(HWND owner, BSTR title, BSTR kind, std::int32_t zero, const ZtErrorObject* error) {
    std::string line = "{\"owner\":\"" + HandleText(owner) + "\",\"ownerCaption\":";
    AppendJsonString(line, CaptionOf(owner));
    line += ",\"ownerVisible\":";
    line += owner != nullptr && IsWindowVisible(owner) ? "true" : "false";
    line += ",\"title\":";
    AppendJsonString(line, TextOf(title));
    line += ",\"kind\":";
    AppendJsonString(line, TextOf(kind));
    line += ",\"zero\":" + std::to_string(zero) + ",\"class\":";
    AppendJsonString(line, ClassNameOf(error));
    line += ",\"message\":";
    AppendJsonString(line, MessageOf(error));
    line += ",\"osErrorCode\":";
    line += error != nullptr && error->hasOSErrorCode ? std::to_string(error->osErrorCode) : "null";
    line += ",\"engineStatusCodes\":[";
    for (std::uint32_t i = 0; error != nullptr && i < error->engineStatusCount; ++i) {
        if (i > 0)
            line += ',';
        line += std::to_string(error->engineStatusCodes[i]);
    }
    line += "],\"variant\":";
    AppendJsonString(line, ZT_RECORDING_VARIANT);
    line += "}\n";
    return line;
}

struct HandleClose {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleClose>;

void AppendToLog(const std::string& line) {
    const std::wstring path = ThisModuleFolder() + L"ZtError.log";
    const HANDLE opened = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE)
        FailWithLastError(L"abrir ZtError.log");
    const FileHandle file(opened);
    DWORD written = 0;
    if (!WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr) ||
        written != line.size())
        FailWithLastError(L"escribir en ZtError.log");
}

} // namespace
} // namespace zt::errordisplay

extern "C" void WINAPI PGnMostrarError(HWND owner, BSTR title, BSTR kind, int32_t zero,
                                       const ZtErrorObject* error) {
    using namespace zt::errordisplay;
    RunGuarded(error, [&] { AppendToLog(ReportLine(owner, title, kind, zero, error)); });
}

// Exactly the published entry point's type, calling convention included (told apart in 32-bit builds).
static_assert(std::is_same_v<decltype(&PGnMostrarError), PGnMostrarErrorFn>);
