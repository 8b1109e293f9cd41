#pragma once
// The checks that guard a run, apart from the controls: the window moves the focus to the offending
// control before it raises the message, the unattended run logs the message.
#include <optional>
#include <string_view>

struct TDatosAComprobar {
    int motor = -1;                   // the engine index (app/Motores.h)
    bool nuevosParametros = false;    // the override of server and database is on
    std::wstring_view servidor = {};  // untrimmed
    std::wstring_view baseDatos = {}; // untrimmed
    bool hayAliasMarcado = false;
};

enum class TCampoRechazado { Servidor, BaseDatos, Alias };

struct TRechazo {
    TCampoRechazado campo;
    const wchar_t* mensaje;
};

// The first check that fails, in order: the server that the engine needs under the override (not for
// ORACLE), the database under the override, at least one alias ticked. None when all pass.
std::optional<TRechazo> ComprobarDatos(const TDatosAComprobar& pDatos);
