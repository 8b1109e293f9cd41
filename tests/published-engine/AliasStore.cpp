#include "AliasStore.h"

#include <algorithm>
#include <optional>

namespace zt::published_engine {
namespace {

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// UTF-8 to the OEM code page, cut to `limit` bytes; nothing for text that is not UTF-8.
std::optional<std::string> ToOem(std::string_view utf8, std::size_t limit) {
    if (utf8.empty())
        return std::string();
    const int size = static_cast<int>(utf8.size());
    const int wideLength = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
    if (wideLength == 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), wideLength);
    const int oemLength =
        WideCharToMultiByte(CP_OEMCP, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string oem(static_cast<std::size_t>(oemLength), '\0');
    WideCharToMultiByte(CP_OEMCP, 0, wide.data(), wideLength, oem.data(), oemLength, nullptr, nullptr);
    oem.resize(std::min(oem.size(), limit));
    return oem;
}

bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

class StoreReader {
public:
    std::vector<StoredAlias> Read(std::string_view text) {
        if (text.starts_with("\xEF\xBB\xBF"))
            text.remove_prefix(3);
        while (!text.empty()) {
            ++lineNumber_;
            const auto end = text.find('\n');
            std::string_view line = text.substr(0, end);
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
            if (line.ends_with('\r'))
                line.remove_suffix(1);
            ReadLine(line);
        }
        for (const StoredAlias& alias : aliases_)
            if (!alias.hasType)
                throw StoreFailure{kStoreAliasWithoutType,
                                   "aliases.cfg: alias " + alias.storedName + " has no TYPE"};
        return std::move(aliases_);
    }

private:
    [[noreturn]] void Malformed(std::string_view why) const {
        throw StoreFailure{kStoreLineMalformed,
                           "aliases.cfg line " + std::to_string(lineNumber_) + ": " + std::string(why)};
    }

    std::string Oem(std::string_view utf8, std::size_t limit) const {
        std::optional<std::string> oem = ToOem(utf8, limit);
        if (!oem)
            Malformed("not UTF-8");
        return *std::move(oem);
    }

    void ReadLine(std::string_view line) {
        const std::string_view trimmed = Trim(line);
        if (trimmed.empty() || trimmed.front() == ';')
            return;
        if (trimmed.front() == '[')
            ReadSection(trimmed);
        else
            ReadEntry(line);
    }

    // [DATABASES\<alias>\DB INFO] or [DATABASES\<alias>\DB OPEN]
    void ReadSection(std::string_view line) {
        if (!line.ends_with(']'))
            Malformed("section without ']'");
        const std::string_view name = Trim(line.substr(1, line.size() - 2));
        constexpr std::string_view kRoot = "DATABASES\\";
        const auto branchAt = name.rfind('\\');
        if (!StartsWithIgnoringAsciiCase(name, kRoot) || branchAt < kRoot.size() + 1)
            Malformed("not a section of DATABASES\\<alias>");
        const std::string_view aliasName = name.substr(kRoot.size(), branchAt - kRoot.size());
        const std::string_view branch = name.substr(branchAt + 1);
        if (!EqualIgnoringAsciiCase(branch, "DB INFO") && !EqualIgnoringAsciiCase(branch, "DB OPEN"))
            Malformed("neither DB INFO nor DB OPEN");
        auto alias = std::find_if(aliases_.begin(), aliases_.end(), [&](const StoredAlias& known) {
            return EqualIgnoringAsciiCase(known.storedName, aliasName);
        });
        if (alias == aliases_.end()) {
            StoredAlias added;
            added.storedName = aliasName;
            added.name = Oem(aliasName, kNameField - 1);
            aliases_.push_back(std::move(added));
            alias = aliases_.end() - 1;
        }
        current_ = static_cast<std::size_t>(alias - aliases_.begin());
        inOpenBranch_ = EqualIgnoringAsciiCase(branch, "DB OPEN");
    }

    void ReadEntry(std::string_view line) {
        const auto equals = line.find('=');
        if (equals == std::string_view::npos)
            Malformed("neither a section, an entry nor a comment");
        if (!current_)
            Malformed("entry before the first section");
        const std::string_view name = Trim(line.substr(0, equals));
        if (name.empty())
            Malformed("entry without a name");
        const std::string_view value = line.substr(equals + 1);
        StoredAlias& alias = aliases_[*current_];
        if (!inOpenBranch_ && EqualIgnoringAsciiCase(name, "TYPE")) {
            alias.driverType = Oem(value, kNameField - 1);
            alias.hasType = true;
        }
        if (!inOpenBranch_ && EqualIgnoringAsciiCase(name, "PATH"))
            alias.path = Oem(value, kPathField - 1);
        (inOpenBranch_ ? alias.open : alias.info)
            .push_back({Oem(name, kNameField - 1), Oem(value, kValueField - 1)});
    }

    std::vector<StoredAlias> aliases_;
    std::optional<std::size_t> current_;
    bool inOpenBranch_ = false;
    int lineNumber_ = 0;
};

} // namespace

std::vector<StoredAlias> ReadAliasStore(std::string_view text) {
    return StoreReader().Read(text);
}

bool EqualIgnoringAsciiCase(std::string_view left, std::string_view right) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::ranges::equal(left, right, [&](char a, char b) { return lower(a) == lower(b); });
}

} // namespace zt::published_engine
