// The command line, read apart from any run: which switches make which run, and why a line is bad.
#include "app/ImportacionDesatendida.h"
#include "app/LineaDeComandos.h"
#include "app/Motores.h"
#include "app/Registro.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

struct Caso {
    std::vector<std::wstring> argumentos;
    TModo modo;
    std::optional<std::wstring> servidor = std::nullopt;
    std::optional<std::wstring> baseDatos = std::nullopt;
    std::optional<std::wstring> registro = std::nullopt;
    std::wstring error = {};
};

TEST(LineaDeComandos, SwitchesMakeTheirRunOrSayWhyTheLineIsBad) {
    const Caso casos[] = {
        {{}, TModo::Ventana},
        {{L"/importar"}, TModo::Importar},
        {{L"-IMPORTAR"}, TModo::Importar},
        {{L"/Importar", L"-Servidor=SRV\\INST", L"/BASEDATOS=a=b; c", L"-registro=C:\\r y r\\run.log"},
         TModo::Importar,
         L"SRV\\INST",
         L"a=b; c",
         L"C:\\r y r\\run.log"},
        // Values are kept as given: the checks trim them, an empty one is theirs to refuse.
        {{L"/importar", L"/servidor=", L"/basedatos=  x "}, TModo::Importar, L"", L"  x "},
        {{L"/?"}, TModo::Ayuda},
        {{L"/importar", L"-?", L"/desconocido"}, TModo::Ayuda},
        {{L"/importar", L"/rapido"}, TModo::Incorrecta, {}, {}, {}, L"modificador desconocido: \"/rapido\""},
        {{L"importar"}, TModo::Incorrecta, {}, {}, {}, L"argumento no reconocido: \"importar\""},
        {{L"/"}, TModo::Incorrecta, {}, {}, {}, L"argumento no reconocido: \"/\""},
        {{L""}, TModo::Incorrecta, {}, {}, {}, L"argumento no reconocido: \"\""},
        {{L"/importar", L"/servidor"},
         TModo::Incorrecta,
         {},
         {},
         {},
         L"\"/servidor\" se escribe /servidor=VALOR"},
        {{L"/importar=si"}, TModo::Incorrecta, {}, {}, {}, L"\"/importar\" no lleva valor"},
        {{L"/importar", L"-importar"}, TModo::Incorrecta, {}, {}, {}, L"modificador repetido: \"/importar\""},
        {{L"/importar", L"/basedatos=A", L"/BaseDatos=A"},
         TModo::Incorrecta,
         {},
         L"A",
         {},
         L"modificador repetido: \"/basedatos\""},
        {{L"/importar", L"/registro= "},
         TModo::Incorrecta,
         {},
         {},
         {},
         L"\"/registro\" necesita la ruta de un archivo"},
        {{L"/importarlo"}, TModo::Incorrecta, {}, {}, {}, L"modificador desconocido: \"/importarlo\""},
        // The log is kept from a bad line, so that the line can be logged; the first fault is the one told.
        {{L"/registro=C:\\run.log", L"/x", L"/y"},
         TModo::Incorrecta,
         {},
         {},
         L"C:\\run.log",
         L"modificador desconocido: \"/x\""},
        {{L"/servidor=S", L"/registro=C:\\run.log"},
         TModo::Incorrecta,
         L"S",
         {},
         L"C:\\run.log",
         L"/servidor, /basedatos y /registro solo se usan con /importar"},
    };
    for (const Caso& c : casos) {
        std::wstring linea;
        for (const std::wstring& a : c.argumentos)
            linea += L"[" + a + L"] ";
        SCOPED_TRACE(testing::PrintToString(linea));
        const TLineaDeComandos leida = AnalizarLineaDeComandos(c.argumentos);
        EXPECT_EQ(leida.modo, c.modo);
        EXPECT_EQ(leida.servidor, c.servidor);
        EXPECT_EQ(leida.baseDatos, c.baseDatos);
        EXPECT_EQ(leida.registro, c.registro);
        EXPECT_EQ(leida.error, c.error);
    }
}

TEST(LineaDeComandos, ServerAndDatabaseTurnTheOverrideOnAsTheWindowWould) {
    struct Ajuste {
        int motor;
        std::optional<std::wstring> servidor;
        std::optional<std::wstring> baseDatos;
        bool nuevosParametros;
        std::wstring servidorEscrito;
        std::wstring baseDatosEscrita;
    };
    const Ajuste casos[] = {
        {kMotorSqlServer, {}, {}, false, L"", L""},
        {kMotorSqlServer, L"S", {}, true, L"S", L""},
        {-1, {}, L"D", true, L"", L"D"},
        {kMotorOracle, L"S", L"D", true, L"", L"D"}, // ORACLE takes no server
        {kMotorOracle, {}, {}, false, L"", L""},
        {kMotorPostgreSql, {}, {}, true, L"", L""}, // always on: the checks ask for both
    };
    for (const Ajuste& c : casos) {
        SCOPED_TRACE(c.motor);
        TLineaDeComandos linea;
        linea.modo = TModo::Importar;
        linea.servidor = c.servidor;
        linea.baseDatos = c.baseDatos;
        const TAjustesDeSeccion ajustes = AjustesDesatendidos(c.motor, linea);
        EXPECT_EQ(ajustes.motor, c.motor);
        EXPECT_EQ(ajustes.nuevosParametros, c.nuevosParametros);
        EXPECT_EQ(ajustes.servidor, c.servidorEscrito);
        EXPECT_EQ(ajustes.baseDatos, c.baseDatosEscrita);
    }
}

TEST(Registro, AnEventIsStampedAndKeepsItsLinesInUtf8) {
    SYSTEMTIME hora{};
    hora.wYear = 2026;
    hora.wMonth = 3;
    hora.wDay = 7;
    hora.wHour = 9;
    hora.wMinute = 5;
    hora.wSecond = 1;
    EXPECT_EQ(LineasDeRegistro(hora, L"Motor detectado: ninguno"),
              "2026-03-07 09:05:01 Motor detectado: ninguno\r\n");
    EXPECT_EQ(LineasDeRegistro(hora, L"Error: uno\r\ndos\nA\u00F1o\rcuatro"),
              "2026-03-07 09:05:01 Error: uno\r\n"
              "2026-03-07 09:05:01   dos\r\n"
              "2026-03-07 09:05:01   A\xC3\xB1o\r\n"
              "2026-03-07 09:05:01   cuatro\r\n");
    EXPECT_EQ(LineasDeRegistro(hora, L""), "2026-03-07 09:05:01 \r\n");
}

} // namespace
