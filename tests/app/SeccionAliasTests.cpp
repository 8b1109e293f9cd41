// The rules of one alias's section, case by case, without a window or an engine.
#include "app/Motores.h"
#include "app/SeccionAlias.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int kSinMotor = -1;
constexpr int kMotorDesconocido = 3;

struct Caso {
    const char* descripcion;
    int motor;
    bool nuevosParametros;
    std::vector<std::wstring> parametros; // the alias's parameter lines
    std::wstring servidor;                // EdtServidor
    std::wstring baseDatos;               // EdtBaseDatos
    std::vector<std::wstring> esperado;   // the section after its header
};

// Parameters that the override must leave unread.
const std::vector<std::wstring> kParametros = {L"SERVER NAME=SRVDATOS", L"DATABASE NAME=Nomina"};

std::vector<std::wstring> Cola(std::vector<std::wstring> lineas) {
    for (const wchar_t* linea : {L"User_Name=", L"Password=", L""})
        lineas.emplace_back(linea);
    return lineas;
}

const Caso kCasos[] = {
    // Every engine index, without and with the override.
    {"SQL Server from the parameters", kMotorSqlServer, false, kParametros, L"SRVNUEVO", L"NOMINADB",
     Cola({L"DriverID=MSSQL", L"Server=SRVDATOS", L"DataBase=Nomina"})},
    {"SQL Server from the edits", kMotorSqlServer, true, kParametros, L"SRVNUEVO", L"NOMINADB",
     Cola({L"DriverID=MSSQL", L"Server=SRVNUEVO", L"DataBase=NOMINADB"})},
    {"ORACLE: the server is the database", kMotorOracle, false, kParametros, L"SRVNUEVO", L"NOMINADB",
     Cola({L"DriverID=ORA", L"DataBase=SRVDATOS"})},
    {"ORACLE from the edits, no server line", kMotorOracle, true, kParametros, L"SRVNUEVO", L"NOMINADB",
     Cola({L"DriverID=ORA", L"DataBase=NOMINADB"})},
    {"PostgreSQL from the parameters, no database line", kMotorPostgreSql, false, kParametros, L"SRVNUEVO",
     L"NOMINADB", Cola({L"DriverID=PG", L"Server=SRVDATOS"})},
    {"PostgreSQL from the edits", kMotorPostgreSql, true, kParametros, L"SRVNUEVO", L"NOMINADB",
     Cola({L"DriverID=PG", L"Server=SRVNUEVO", L"DataBase=NOMINADB"})},
    {"no engine: no driver line", kSinMotor, false, kParametros, L"SRVNUEVO", L"NOMINADB",
     Cola({L"Server=SRVDATOS"})},
    {"no engine from the edits", kSinMotor, true, kParametros, L"SRVNUEVO", L"NOMINADB",
     Cola({L"Server=SRVNUEVO", L"DataBase=NOMINADB"})},
    {"an index beyond the engines is none", kMotorDesconocido, false, kParametros, L"", L"",
     Cola({L"Server=SRVDATOS"})},

    // The parameters: missing, blank, padded, kinds of space, letter case, repeats.
    {"missing parameters give empty values",
     kMotorSqlServer,
     false,
     {L"PATH=C:\\datos"},
     L"",
     L"",
     Cola({L"DriverID=MSSQL", L"Server=", L"DataBase="})},
    {"missing server name with ORACLE",
     kMotorOracle,
     false,
     {},
     L"",
     L"",
     Cola({L"DriverID=ORA", L"DataBase="})},
    {"blank values",
     kMotorSqlServer,
     false,
     {L"SERVER NAME=", L"DATABASE NAME=   "},
     L"",
     L"",
     Cola({L"DriverID=MSSQL", L"Server=", L"DataBase="})},
    {"padding up to U+0020 is trimmed, inner blanks stay",
     kMotorSqlServer,
     false,
     {L"SERVER NAME=\t \x01 SRVDATOS\\PRODUCCION \r\n", L"DATABASE NAME= \x1f"
                                                        L"GENTE  DE\tNOMINA\x20\x0b"},
     L"",
     L"",
     Cola({L"DriverID=MSSQL", L"Server=SRVDATOS\\PRODUCCION", L"DataBase=GENTE  DE\tNOMINA"})},
    {"padded edits are trimmed too",
     kMotorPostgreSql,
     true,
     {},
     L"\t  SRV NUEVO \r\n",
     L"\x1f"
     L"DB\x20",
     Cola({L"DriverID=PG", L"Server=SRV NUEVO", L"DataBase=DB"})},
    {"a no-break space is not trimmed",
     kMotorSqlServer,
     false,
     {L"SERVER NAME=\u00a0SRV\u00a0", L"DATABASE NAME= \u00a0 "},
     L"",
     L"",
     Cola({L"DriverID=MSSQL", L"Server=\u00a0SRV\u00a0", L"DataBase=\u00a0"})},
    {"a no-break space in an edit is kept",
     kSinMotor,
     true,
     {},
     L"\u00a0SRV",
     L"DB\u00a0",
     Cola({L"Server=\u00a0SRV", L"DataBase=DB\u00a0"})},
    {"names in another letter case",
     kMotorSqlServer,
     false,
     {L"server name=SRV", L"Database Name=DB"},
     L"",
     L"",
     Cola({L"DriverID=MSSQL", L"Server=SRV", L"DataBase=DB"})},
    {"the first of two equal names",
     kMotorOracle,
     false,
     {L"SERVER NAME=PRIMERO", L"SERVER NAME=SEGUNDO"},
     L"",
     L"",
     Cola({L"DriverID=ORA", L"DataBase=PRIMERO"})},
    {"the first of two names that differ in case",
     kMotorPostgreSql,
     false,
     {L"Server Name=primero", L"SERVER NAME=segundo"},
     L"",
     L"",
     Cola({L"DriverID=PG", L"Server=primero"})},
    {"a line without '=' names nothing",
     kMotorPostgreSql,
     false,
     {L"SERVER NAME", L"SERVER NAME=SRV"},
     L"",
     L"",
     Cola({L"DriverID=PG", L"Server=SRV"})},
    {"a value is everything after the first '='",
     kMotorSqlServer,
     false,
     {L"SERVER NAME=a=b;c\\d", L"DATABASE NAME==x"},
     L"",
     L"",
     Cola({L"DriverID=MSSQL", L"Server=a=b;c\\d", L"DataBase==x"})},
};

TEST(LineasDeSeccion, FollowTheEngineTheOverrideAndTheParameters) {
    for (const Caso& caso : kCasos) {
        SCOPED_TRACE(caso.descripcion);
        zt::StringList parametros;
        for (const std::wstring& linea : caso.parametros)
            parametros.Add(linea);
        std::vector<std::wstring> esperado = {L"[NOMINA]"};
        esperado.insert(esperado.end(), caso.esperado.begin(), caso.esperado.end());
        EXPECT_EQ(LineasDeSeccion({.alias = L"NOMINA",
                                   .motor = caso.motor,
                                   .nuevosParametros = caso.nuevosParametros,
                                   .servidor = caso.servidor,
                                   .baseDatos = caso.baseDatos,
                                   .parametros = parametros}),
                  esperado);
    }
}

TEST(LineasDeSeccion, TheHeaderCarriesTheAliasAsListed) {
    const zt::StringList sinParametros;
    for (const std::wstring alias : {L" Nómina = A;B\\C ", L"[x]", L""}) {
        SCOPED_TRACE(testing::Message() << alias);
        const std::vector<std::wstring> lineas =
            LineasDeSeccion({.alias = alias, .motor = kSinMotor, .parametros = sinParametros});
        ASSERT_FALSE(lineas.empty());
        EXPECT_EQ(lineas.front(), L"[" + alias + L"]");
    }
}

} // namespace
