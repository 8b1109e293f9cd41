#include "app/Descubrimiento.h"

#include "app/Motores.h"
#include "platform/catalogue/AliasCatalogue.h"
#include "runtime/Exceptions.h"
#include "runtime/StringList.h"
#include "runtime/Text.h"

int MotorDelDriver(const std::wstring& pDriver) {
    if (pDriver == L"MSSQL")
        return kMotorSqlServer;
    if (pDriver == L"ORACLE")
        return kMotorOracle;
    if (pDriver == L"POSTGRESQL ANSI")
        return kMotorPostgreSql;
    return -1;
}

void DescubrirAlias(TDestinoDelDescubrimiento& pDestino) {
    zt::StringList aliases;
    zt::platform::GetAliasNames(aliases);
    pDestino.AliasLeidos(aliases.Count());
    if (aliases.IndexOf(kAliasRequerido) < 0)
        throw zt::Exception(
            L"Alias Zentor7 no encontrado. Valide por favor y vuelva a ejecutar la aplicación.");

    const std::wstring driver = zt::platform::GetAliasDriverName(kAliasRequerido);
    pDestino.MotorDetectado(MotorDelDriver(driver), driver);

    const std::wstring buscado = zt::UpperCaseAscii(driver);
    for (std::size_t i = 0; i < aliases.Count(); ++i) {
        if (zt::UpperCaseAscii(zt::platform::GetAliasDriverName(aliases[i])) == buscado)
            pDestino.AliasEncontrado(aliases[i]);
    }
}
