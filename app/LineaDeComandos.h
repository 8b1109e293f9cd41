#pragma once
// The command line: none opens the window; /importar runs the whole job unattended, with an optional
// server, database and log; /? asks for the usage. Switches take "/" or "-" and any letter case.
#include <optional>
#include <string>
#include <vector>

enum class TModo { Ventana, Importar, Ayuda, Incorrecta };

struct TLineaDeComandos {
    TModo modo = TModo::Ventana;
    std::optional<std::wstring> servidor;  // /servidor=TEXTO, the text as given
    std::optional<std::wstring> baseDatos; // /basedatos=TEXTO
    std::optional<std::wstring> registro;  // /registro=RUTA; kept for a bad line too, to log it
    std::wstring error;                    // why the line is bad, in Spanish
};

// pArgumentos without the program's own name. /? anywhere asks for the usage; otherwise the first
// fault makes the line bad: an argument that is not a switch, an unknown switch, a value missing or
// not expected, a switch given twice, an empty log path, or switches without /importar.
TLineaDeComandos AnalizarLineaDeComandos(const std::vector<std::wstring>& pArgumentos);

// The usage, as the /? box shows it.
std::wstring TextoDeUso();
