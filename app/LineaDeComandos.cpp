#include "app/LineaDeComandos.h"

#include "app/CodigosDeSalida.h"
#include "runtime/Format.h"
#include "runtime/Text.h"

#include <string_view>

namespace {

struct TModificador {
    std::wstring_view nombre; // lower case, without the "/"
    bool conValor;
};

constexpr TModificador kModificadores[] = {
    {L"importar", false}, {L"servidor", true}, {L"basedatos", true}, {L"registro", true}};

std::wstring Citado(std::wstring_view texto) {
    return L"\"" + std::wstring(texto) + L"\"";
}

// The fault of one argument, recorded in the line; empty when it is fine.
std::wstring Analizar(const std::wstring& pArgumento, TLineaDeComandos& pLinea, bool& pImportar) {
    if (pArgumento.size() < 2 || (pArgumento[0] != L'/' && pArgumento[0] != L'-'))
        return L"argumento no reconocido: " + Citado(pArgumento);
    const std::wstring_view cuerpo = std::wstring_view(pArgumento).substr(1);
    const std::size_t igual = cuerpo.find(L'=');
    const std::wstring_view nombre = cuerpo.substr(0, igual);
    const TModificador* modificador = nullptr;
    for (const TModificador& m : kModificadores)
        if (zt::SameTextAscii(nombre, m.nombre))
            modificador = &m;
    if (modificador == nullptr)
        return L"modificador desconocido: " + Citado(pArgumento);
    const std::wstring forma = L"/" + std::wstring(modificador->nombre);
    if (!modificador->conValor) {
        if (igual != std::wstring_view::npos)
            return Citado(forma) + L" no lleva valor";
        if (pImportar)
            return L"modificador repetido: " + Citado(forma);
        pImportar = true;
        return {};
    }
    if (igual == std::wstring_view::npos)
        return Citado(forma) + L" se escribe " + forma + L"=VALOR";
    std::optional<std::wstring>& destino = modificador->nombre == L"servidor"    ? pLinea.servidor
                                           : modificador->nombre == L"basedatos" ? pLinea.baseDatos
                                                                                 : pLinea.registro;
    if (destino)
        return L"modificador repetido: " + Citado(forma);
    const std::wstring valor(cuerpo.substr(igual + 1));
    if (&destino == &pLinea.registro && zt::Trim(valor).empty())
        return Citado(forma) + L" necesita la ruta de un archivo";
    destino = valor;
    return {};
}

} // namespace

TLineaDeComandos AnalizarLineaDeComandos(const std::vector<std::wstring>& pArgumentos) {
    TLineaDeComandos linea;
    if (pArgumentos.empty())
        return linea;
    bool importar = false;
    bool ayuda = false;
    for (const std::wstring& argumento : pArgumentos) {
        if (argumento == L"/?" || argumento == L"-?") {
            ayuda = true;
            continue;
        }
        std::wstring error = Analizar(argumento, linea, importar);
        if (linea.error.empty())
            linea.error = std::move(error);
    }
    if (ayuda) {
        linea.modo = TModo::Ayuda; // a person asked: the rest of the line is not judged
        linea.error.clear();
    } else if (!linea.error.empty())
        linea.modo = TModo::Incorrecta;
    else if (!importar) {
        linea.modo = TModo::Incorrecta;
        linea.error = L"/servidor, /basedatos y /registro solo se usan con /importar";
    } else
        linea.modo = TModo::Importar;
    return linea;
}

std::wstring TextoDeUso() {
    return zt::FormatS(
        L"Uso: ZtGnImcon [/importar [/servidor=NOMBRE] [/basedatos=NOMBRE] [/registro=ARCHIVO]]\r\n"
        L"\r\n"
        L"Sin argumentos abre la ventana.\r\n"
        L"\r\n"
        L"/importar\tgenera C:\\zentor\\version\\Conexiones.ini sin ventanas, con todos los alias del "
        L"mismo tipo de controlador que Zentor7.\r\n"
        L"/servidor=NOMBRE\tel servidor de todos los alias (no se usa con ORACLE).\r\n"
        L"/basedatos=NOMBRE\tla base de datos de todos los alias.\r\n"
        L"/registro=ARCHIVO\tagrega a ARCHIVO (UTF-8) una línea por paso, con fecha y hora.\r\n"
        L"/?\tmuestra esta ayuda.\r\n"
        L"\r\n"
        L"Con PostgreSQL, /servidor y /basedatos son obligatorios.\r\n"
        L"\r\n"
        L"Códigos de salida:\r\n"
        L"%s\tarchivo generado\r\n"
        L"%s\tlínea de comandos incorrecta, registro inaccesible, o /?\r\n"
        L"%s\tmotor de base de datos no encontrado o no iniciado\r\n"
        L"%s\tla validación rechazó la importación\r\n"
        L"%s\tel archivo no se escribió (el anterior queda como estaba)\r\n"
        L"%s\totra importación en curso en esta estación",
        {zt::IntToStr(kSalidaArchivoGenerado), zt::IntToStr(kSalidaLineaDeComandos),
         zt::IntToStr(kSalidaMotor), zt::IntToStr(kSalidaRechazada), zt::IntToStr(kSalidaArchivoNoEscrito),
         zt::IntToStr(kSalidaCorridaEnCurso)});
}
