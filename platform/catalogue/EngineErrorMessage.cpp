#include "platform/catalogue/EngineErrorMessage.h"

#include "interfaces/EngineInterface.h"
#include "runtime/Format.h"
#include "runtime/Text.h"

#include <algorithm>
#include <vector>

namespace zt::platform {

std::wstring ComposeEngineErrorMessage(std::uint16_t status, std::wstring_view statusText,
                                       std::span<const EngineErrorEntry> entries) {
    std::vector<std::wstring> lines;
    const auto addLine = [&lines](std::wstring_view text) {
        if (text.empty())
            return;
        if (std::ranges::any_of(lines,
                                [text](const std::wstring& line) { return SameTextLocale(line, text); }))
            return;
        lines.emplace_back(text);
    };

    const bool contextsOnly = status == engine_interface::kServerError;
    if (!contextsOnly)
        addLine(statusText);
    for (const EngineErrorEntry& entry : entries) {
        if (!contextsOnly && entry.nativeCode == 0)
            addLine(entry.statusText);
        addLine(Trim(entry.context));
    }

    if (lines.empty())
        return L"BDE error $" + HexUpper(status, 4);
    std::wstring message = lines.front();
    for (std::size_t i = 1; i < lines.size(); ++i)
        message += L"\r\n" + lines[i];
    return message;
}

std::vector<std::uint16_t> EngineErrorCodes(std::uint16_t status, std::span<const EngineErrorEntry> entries) {
    std::vector<std::uint16_t> codes{status};
    const bool topIsStatus = !entries.empty() && entries.front().status == status;
    for (const EngineErrorEntry& entry : entries.subspan(topIsStatus ? 1 : 0))
        codes.push_back(entry.status);
    return codes;
}

std::wstring EngineStartFailureMessage(std::uint16_t status) {
    return L"An error occurred while attempting to initialize the Borland Database Engine (error $" +
           HexUpper(status, 4) + L")";
}

} // namespace zt::platform
