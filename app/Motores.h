#pragma once
// The engine indexes of RdgTipMoto, as alias discovery sets them and the generator reads them; any
// other value (-1) means that no engine was detected.
inline constexpr int kMotorSqlServer = 0;
inline constexpr int kMotorOracle = 1;
inline constexpr int kMotorPostgreSql = 2;
