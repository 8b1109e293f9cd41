#include "app/SalidaDeConsola.h"

#include "runtime/CodePages.h"

#include <string>

namespace {

// Output sent to a file. A pipe is left alone: a caller that reads it only once the program has ended
// would hold the program still for ever as soon as the pipe is full; the log file is the record.
bool Redirigida(HANDLE salida) {
    return salida != nullptr && salida != INVALID_HANDLE_VALUE && GetFileType(salida) == FILE_TYPE_DISK;
}

} // namespace

TSalidaDeConsola::TSalidaDeConsola() {
    const HANDLE heredada = GetStdHandle(STD_OUTPUT_HANDLE);
    if (Redirigida(heredada)) {
        salida_ = heredada;
        return;
    }
    // Refused as "access denied" when this process already shares its parent's console (as Wine starts
    // every program that a console program starts).
    if (!AttachConsole(ATTACH_PARENT_PROCESS) && GetLastError() != ERROR_ACCESS_DENIED)
        return;
    salida_ = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          nullptr, OPEN_EXISTING, 0, nullptr);
    if (salida_ == INVALID_HANDLE_VALUE) {
        salida_ = nullptr;
        return;
    }
    propia_ = true;
    DWORD modo = 0;
    esConsola_ = GetConsoleMode(salida_, &modo) != 0;
}

TSalidaDeConsola::~TSalidaDeConsola() {
    if (propia_)
        CloseHandle(salida_);
}

void TSalidaDeConsola::Escribir(std::string_view pUtf8) {
    if (salida_ == nullptr)
        return;
    DWORD escritos = 0;
    if (esConsola_) {
        // Unicode, whatever the console's code page.
        const std::wstring texto = zt::FromCodePage(pUtf8, CP_UTF8);
        WriteConsoleW(salida_, texto.data(), static_cast<DWORD>(texto.size()), &escritos, nullptr);
    } else {
        WriteFile(salida_, pUtf8.data(), static_cast<DWORD>(pUtf8.size()), &escritos, nullptr);
    }
}
