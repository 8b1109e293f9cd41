#pragma once
// The workstation's alias catalogue, read through the database engine. The engine session starts at
// the first call of the process and lives for the rest of it. Failures raise zt::EDBEngineError
// (engine start failure, engine error: also a record request that fails before the end of a list)
// or zt::EDatabaseError (an alias whose description cannot be read by GetAliasDriverName).
#include "runtime/StringList.h"

#include <string>

namespace zt::platform {

// Clears list, then fills it with every alias name, in the engine's order.
void GetAliasNames(StringList& list);

// The alias's driver type ("MSSQL", "ORACLE", "POSTGRESQL ANSI", "STANDARD", ...).
std::wstring GetAliasDriverName(const std::wstring& alias);

// Clears list, then fills it with the alias's parameters as "name=value" lines in stored order: the
// DB INFO entries without TYPE for a STANDARD alias, the DB OPEN entries for any other.
void GetAliasParams(const std::wstring& alias, StringList& list);

} // namespace zt::platform
