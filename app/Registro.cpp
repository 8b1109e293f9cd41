#include "app/Registro.h"

#include "runtime/CodePages.h"
#include "runtime/Exceptions.h"

#include <cstdio>

std::string LineasDeRegistro(const SYSTEMTIME& pHora, std::wstring_view pEvento) {
    char sello[32] = {};
    std::snprintf(sello, sizeof sello, "%04u-%02u-%02u %02u:%02u:%02u ", pHora.wYear, pHora.wMonth,
                  pHora.wDay, pHora.wHour, pHora.wMinute, pHora.wSecond);
    std::string lineas;
    std::size_t inicio = 0;
    for (bool primera = true;; primera = false) {
        const std::size_t fin = pEvento.find_first_of(L"\r\n", inicio);
        lineas += sello;
        if (!primera)
            lineas += "  ";
        lineas += zt::ToCodePage(pEvento.substr(inicio, fin - inicio), CP_UTF8);
        lineas += "\r\n";
        if (fin == std::wstring_view::npos)
            break;
        // CR LF, LF or CR ends a line.
        inicio = fin + (pEvento.compare(fin, 2, L"\r\n") == 0 ? 2 : 1);
    }
    return lineas;
}

TRegistro::~TRegistro() {
    if (archivo_ != INVALID_HANDLE_VALUE)
        CloseHandle(archivo_);
}

void TRegistro::AbrirArchivo(const std::wstring& pRuta) {
    // Append-only access: every write lands at the end, also between other processes' writes.
    archivo_ =
        CreateFileW(pRuta.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (archivo_ == INVALID_HANDLE_VALUE)
        throw zt::Exception(L"No se puede abrir el registro \"" + pRuta + L"\". " +
                            zt::SysErrorMessage(GetLastError()));
    // A new log starts with the byte-order mark, so that Notepad shows its accents on every Windows.
    LARGE_INTEGER largo{};
    if (GetFileSizeEx(archivo_, &largo) && largo.QuadPart == 0) {
        DWORD escritos = 0;
        WriteFile(archivo_, "\xEF\xBB\xBF", 3, &escritos, nullptr);
    }
}

void TRegistro::Escribir(std::wstring_view pEvento) {
    SYSTEMTIME hora{};
    GetLocalTime(&hora);
    const std::string lineas = LineasDeRegistro(hora, pEvento);
    if (archivo_ != INVALID_HANDLE_VALUE) {
        DWORD escritos = 0;
        WriteFile(archivo_, lineas.data(), static_cast<DWORD>(lineas.size()), &escritos, nullptr);
    }
    consola_.Escribir(lineas);
}
