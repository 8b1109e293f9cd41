#pragma once
// The log of an unattended run: one event a line, stamped with the local date and time, appended in
// UTF-8 to the file that /registro names, and shown on the console the program was started from.
#include "app/SalidaDeConsola.h"

#include <string>
#include <string_view>
#include <windows.h>

// One event as its log lines in UTF-8: the stamp "yyyy-mm-dd hh:mm:ss", a blank and the text. A text of
// several lines keeps them, each under the same stamp, the later ones indented by two blanks.
std::string LineasDeRegistro(const SYSTEMTIME& pHora, std::wstring_view pEvento);

class TRegistro {
public:
    TRegistro() = default;
    ~TRegistro();
    TRegistro(const TRegistro&) = delete;
    TRegistro& operator=(const TRegistro&) = delete;

    // Opens the file for appending, created when missing (then with the UTF-8 byte-order mark first),
    // shared with other writers (several workstations may log to one file). Raises an Exception with the
    // system's text when it cannot.
    void AbrirArchivo(const std::wstring& pRuta);
    // Writes one event, whole, to the file and the console; a write that fails is passed over, so the
    // run's outcome still decides the exit code.
    void Escribir(std::wstring_view pEvento);

private:
    HANDLE archivo_ = INVALID_HANDLE_VALUE;
    TSalidaDeConsola consola_;
};
