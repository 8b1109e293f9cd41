#pragma once
// The lines of one alias's section in the connections file, built from what they depend on alone:
// no window and no engine stand behind it.
#include "runtime/StringList.h"

#include <string>
#include <string_view>
#include <vector>

// What one section is made of, as read at the moment its alias is written.
struct TDatosDeSeccion {
    std::wstring_view alias = {};     // as listed: neither trimmed nor escaped
    int motor = -1;                   // the engine index (app/Motores.h)
    bool nuevosParametros = false;    // ChkNewParam ticked: the edits' texts, and no alias parameter
    std::wstring_view servidor = {};  // the text of EdtServidor
    std::wstring_view baseDatos = {}; // the text of EdtBaseDatos
    const zt::StringList& parametros; // the alias's parameters; read only without the override
};

// The header, the driver line that the engine selects, the server and database lines that the
// engine and the override call for (values trimmed), the empty user name and password, and the
// closing empty line.
std::vector<std::wstring> LineasDeSeccion(const TDatosDeSeccion& pDatos);
