#pragma once
// The engine's alias store: the aliases of aliases.cfg with their two configuration branches, texts
// held in the OEM code page as the engine hands them over.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zt::engine {

struct ConfigEntry {
    std::string name;
    std::string value;
};

struct StoredAlias {
    std::string name;
    std::vector<ConfigEntry> info; // DB INFO
    std::vector<ConfigEntry> open; // DB OPEN
};

enum class Branch { Info, Open };

// Why a store could not be read, with the status the engine reports for it.
struct StoreFailure {
    std::uint16_t status;
    std::wstring context;
};

class AliasStore {
public:
    const std::vector<StoredAlias>& Aliases() const { return aliases_; }
    // Compares without regard to the case of ASCII letters; nullptr when no alias has that name.
    const StoredAlias* Find(std::string_view oemName) const;

    // Reads the store's text (UTF-8, BOM allowed). On failure the store stays empty.
    static std::optional<StoreFailure> Parse(std::string_view utf8, AliasStore& store);

private:
    StoredAlias& AliasNamed(const std::string& oemName);

    std::vector<StoredAlias> aliases_;
    std::unordered_map<std::string, std::size_t> indexByUpperName_;
};

// Splits "\DATABASES\<alias>\DB INFO" or "...\DB OPEN"; std::nullopt for any other path.
struct BranchPath {
    std::string alias;
    Branch branch;
};
std::optional<BranchPath> ParseBranchPath(std::string_view path);

std::string UpperAscii(std::string_view text);
bool SameAscii(std::string_view a, std::string_view b);

} // namespace zt::engine
