#include "engine/AliasStore.h"

#include "engine/OemText.h"
#include "engine/StandInStatus.h"

#include <windows.h>

namespace zt::engine {
namespace {

constexpr std::size_t kMaxNameBytes = 31;
constexpr std::string_view kSectionPrefix = "DATABASES\\";
constexpr std::string_view kInfoSuffix = "\\DB INFO";
constexpr std::string_view kOpenSuffix = "\\DB OPEN";

bool IsBlank(wchar_t c) {
    return c <= L' ';
}

std::wstring_view TrimWide(std::wstring_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<std::wstring> DecodeUtf8(std::string_view bytes) {
    if (bytes.empty())
        return std::wstring();
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
    if (size <= 0)
        return std::nullopt;
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), length, out.data(), size);
    return out;
}

// Blanks and control characters are single bytes below 0x21 in every OEM code page.
std::string TrimOem(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.remove_suffix(1);
    return std::string(text);
}

bool StartsWithAscii(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && SameAscii(text.substr(0, prefix.size()), prefix);
}

bool EndsWithAscii(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && SameAscii(text.substr(text.size() - suffix.size()), suffix);
}

StoreFailure Malformed(std::size_t lineNumber, std::wstring_view reason) {
    return {kStoreMalformed,
            L"aliases.cfg line " + std::to_wstring(lineNumber) + L": " + std::wstring(reason)};
}

} // namespace

std::string UpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool SameAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z')
            x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z')
            y = static_cast<char>(y - 'a' + 'A');
        if (x != y)
            return false;
    }
    return true;
}

std::optional<BranchPath> ParseBranchPath(std::string_view path) {
    if (path.empty() || path.front() != '\\')
        return std::nullopt;
    path.remove_prefix(1);
    if (!StartsWithAscii(path, kSectionPrefix))
        return std::nullopt;
    path.remove_prefix(kSectionPrefix.size());
    for (const auto& [suffix, branch] :
         {std::pair{kInfoSuffix, Branch::Info}, std::pair{kOpenSuffix, Branch::Open}})
        if (path.size() > suffix.size() && EndsWithAscii(path, suffix))
            return BranchPath{std::string(path.substr(0, path.size() - suffix.size())), branch};
    return std::nullopt;
}

const StoredAlias* AliasStore::Find(std::string_view oemName) const {
    const auto found = indexByUpperName_.find(UpperAscii(oemName));
    return found == indexByUpperName_.end() ? nullptr : &aliases_[found->second];
}

StoredAlias& AliasStore::AliasNamed(const std::string& oemName) {
    const auto [position, inserted] = indexByUpperName_.try_emplace(UpperAscii(oemName), aliases_.size());
    if (inserted)
        aliases_.push_back({oemName, {}, {}});
    return aliases_[position->second];
}

std::optional<StoreFailure> AliasStore::Parse(std::string_view utf8, AliasStore& store) {
    AliasStore parsed;
    if (utf8.starts_with("\xEF\xBB\xBF"))
        utf8.remove_prefix(3);
    std::vector<ConfigEntry>* section = nullptr;
    std::size_t lineNumber = 0;
    while (!utf8.empty()) {
        ++lineNumber;
        const std::size_t end = utf8.find('\n');
        std::string_view raw = utf8.substr(0, end);
        utf8.remove_prefix(end == std::string_view::npos ? utf8.size() : end + 1);
        if (raw.ends_with('\r'))
            raw.remove_suffix(1);

        if (raw.find('\0') != std::string_view::npos)
            return Malformed(lineNumber, L"NUL character");
        const std::optional<std::wstring> decoded = DecodeUtf8(raw);
        if (!decoded)
            return Malformed(lineNumber, L"not UTF-8 text");
        const std::wstring_view line = *decoded;
        const std::wstring_view trimmed = TrimWide(line);
        if (trimmed.empty() || trimmed.front() == L';')
            continue;

        if (trimmed.front() == L'[') {
            if (trimmed.back() != L']')
                return Malformed(lineNumber, L"section name without its closing ']'");
            const std::string name = ToOemBytes(TrimWide(trimmed.substr(1, trimmed.size() - 2)));
            const std::optional<BranchPath> branch = ParseBranchPath("\\" + name);
            if (!branch)
                return Malformed(lineNumber, L"section is not DATABASES\\<alias>\\DB INFO or DB OPEN");
            const std::string alias = TrimOem(branch->alias);
            if (alias.empty())
                return Malformed(lineNumber, L"alias without a name");
            if (alias.size() > kMaxNameBytes)
                return Malformed(lineNumber, L"alias name longer than 31 bytes");
            StoredAlias& stored = parsed.AliasNamed(alias);
            section = branch->branch == Branch::Info ? &stored.info : &stored.open;
            continue;
        }

        const std::size_t equals = line.find(L'=');
        if (equals == std::wstring_view::npos)
            return Malformed(lineNumber, L"entry without '='");
        if (section == nullptr)
            return Malformed(lineNumber, L"entry before the first section");
        const std::wstring_view name = TrimWide(line.substr(0, equals));
        if (name.empty())
            return Malformed(lineNumber, L"entry without a name");
        section->push_back({ToOemBytes(name), ToOemBytes(line.substr(equals + 1))});
    }
    store = std::move(parsed);
    return std::nullopt;
}

} // namespace zt::engine
