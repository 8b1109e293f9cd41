#pragma once
// Where the store lives (aliases.cfg beside this DLL) and reading it whole.
#include "engine/AliasStore.h"

#include <optional>

namespace zt::engine {

// Reads and parses the store; on failure the store stays empty and the failure says why.
std::optional<StoreFailure> LoadStoreBesideModule(AliasStore& store);

} // namespace zt::engine
