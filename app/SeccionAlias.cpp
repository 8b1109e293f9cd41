#include "app/SeccionAlias.h"

#include "app/Motores.h"
#include "runtime/Text.h"

namespace {

const wchar_t* LineaDelDriver(int motor) {
    switch (motor) {
    case kMotorSqlServer:
        return L"DriverID=MSSQL";
    case kMotorOracle:
        return L"DriverID=ORA";
    case kMotorPostgreSql:
        return L"DriverID=PG";
    default:
        return nullptr;
    }
}

// An edit's text under the override, the named alias parameter without it; trimmed either way.
std::wstring Valor(const TDatosDeSeccion& datos, std::wstring_view edicion, std::wstring_view parametro) {
    return zt::Trim(datos.nuevosParametros ? std::wstring(edicion) : datos.parametros.Value(parametro));
}

} // namespace

std::vector<std::wstring> LineasDeSeccion(const TDatosDeSeccion& pDatos) {
    std::vector<std::wstring> lineas;
    lineas.push_back(L"[" + std::wstring(pDatos.alias) + L"]");
    if (const wchar_t* driver = LineaDelDriver(pDatos.motor))
        lineas.emplace_back(driver);
    // ORACLE sections name their server in the database line.
    if (pDatos.motor != kMotorOracle)
        lineas.push_back(L"Server=" + Valor(pDatos, pDatos.servidor, L"SERVER NAME"));
    if (pDatos.nuevosParametros || pDatos.motor == kMotorSqlServer)
        lineas.push_back(L"DataBase=" + Valor(pDatos, pDatos.baseDatos, L"DATABASE NAME"));
    else if (pDatos.motor == kMotorOracle)
        lineas.push_back(L"DataBase=" + Valor(pDatos, pDatos.baseDatos, L"SERVER NAME"));
    lineas.emplace_back(L"User_Name=");
    lineas.emplace_back(L"Password=");
    lineas.emplace_back();
    return lineas;
}
