// Alias discovery: the driver type of Zentor7 names the engine being migrated, and every alias of
// that driver type is listed and ticked, in catalogue order.
#include "app/UGnImcon.h"
#include "platform/catalogue/AliasCatalogue.h"
#include "runtime/StringList.h"
#include "runtime/Text.h"

void TFrmGnImcon::CargarAliasBDE() {
    zt::StringList aliases;
    zt::platform::GetAliasNames(aliases);
    if (aliases.IndexOf(kAliasRequerido) < 0)
        throw zt::Exception(L"Alias Zentor7 no encontrado. Valide por favor y vuelva a ejecutar la aplicación.");

    const std::wstring driver = zt::platform::GetAliasDriverName(kAliasRequerido);
    if (driver == L"MSSQL") {
        RdgTipMoto.SetItemIndex(kMotorSqlServer);
    } else if (driver == L"ORACLE") {
        RdgTipMoto.SetItemIndex(kMotorOracle);
    } else if (driver == L"POSTGRESQL ANSI") {
        RdgTipMoto.SetItemIndex(kMotorPostgreSql);
        ChkNewParam.SetChecked(true); // runs ChkNewParamClick through the click event
        ChkNewParamClick(ChkNewParam);
    }

    const std::wstring wanted = zt::UpperCaseAscii(driver);
    for (std::size_t i = 0; i < aliases.Count(); ++i) {
        if (zt::UpperCaseAscii(zt::platform::GetAliasDriverName(aliases[i])) == wanted)
            ChkLBAlias.SetChecked(ChkLBAlias.Add(aliases[i]), true);
    }
}
