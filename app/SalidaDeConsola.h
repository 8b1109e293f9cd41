#pragma once
// Where the log's lines also go: the standard output when it was redirected to a file,
// otherwise the console of the process that started the program, when there is one. Neither exists
// for a program started from the desktop or a shortcut.
#include <string_view>
#include <windows.h>

class TSalidaDeConsola {
public:
    TSalidaDeConsola();
    ~TSalidaDeConsola();
    TSalidaDeConsola(const TSalidaDeConsola&) = delete;
    TSalidaDeConsola& operator=(const TSalidaDeConsola&) = delete;

    // Text in UTF-8: written as it is to a redirected output, as Unicode to a console.
    void Escribir(std::string_view pUtf8);

private:
    HANDLE salida_ = nullptr;
    bool esConsola_ = false;
    bool propia_ = false; // the handle was opened here
};
