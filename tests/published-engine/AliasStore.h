#pragma once
// The double's catalogue, aliases.cfg: INI text in UTF-8, read whole when the engine starts and
// held as the engine hands it out, in the OEM code page and cut to the published field sizes.
#include "EngineInterface.h"

#include <string>
#include <string_view>
#include <vector>

namespace zt::published_engine {

struct StoreEntry {
    std::string name;  // at most 31 bytes
    std::string value; // at most 127 bytes
};

struct StoredAlias {
    std::string storedName; // UTF-8, as first written: sections of the same alias are merged by it
    std::string name;       // at most 31 bytes
    std::string driverType; // TYPE of DB INFO, at most 31 bytes
    std::string path;       // PATH of DB INFO, at most 260 bytes
    bool hasType = false;
    std::vector<StoreEntry> info;
    std::vector<StoreEntry> open;
};

// Thrown by ReadAliasStore: the status and what to tell about it.
struct StoreFailure {
    DbiStatus status;
    std::string context;
};

// The aliases in the order of their first section, entries in stored order.
std::vector<StoredAlias> ReadAliasStore(std::string_view text);

bool EqualIgnoringAsciiCase(std::string_view left, std::string_view right);

} // namespace zt::published_engine
