#include "app/GeneracionConexiones.h"

#include "app/SeccionAlias.h"
#include "platform/catalogue/AliasCatalogue.h"
#include "platform/files/SaveLines.h"
#include "platform/files/TemporaryFile.h"
#include "runtime/StringList.h"

#include <iterator>
#include <vector>

void GenerarConexiones(const TSeleccionDeAlias& pSeleccion, TAvanceDeImportacion& pAvance) {
    std::vector<std::wstring> lineas;
    zt::StringList parametros;

    // What killed runs left goes at every run, also one that fails before it saves.
    zt::RemoveLeftoverTemporaryFiles(kArchivoConexiones);
    pAvance.Inicializar(static_cast<int>(pSeleccion.Cantidad()));
    pAvance.MensajeDelProceso(L"Escribiendo Archivo de Conexiones Alvenor");
    for (std::size_t i = 0; i < pSeleccion.Cantidad(); ++i) {
        if (!pSeleccion.Marcado(i))
            continue;
        const std::wstring alias = pSeleccion.Nombre(i);
        pAvance.NombreItemActual(L"Generando Alias: " + alias);
        // Read after the announcement: in the window, it has handled pending messages.
        const TAjustesDeSeccion ajustes = pSeleccion.Ajustes();
        if (!ajustes.nuevosParametros) {
            parametros.Clear();
            zt::platform::GetAliasParams(alias, parametros);
        }
        std::vector<std::wstring> seccion = LineasDeSeccion({.alias = alias,
                                                             .motor = ajustes.motor,
                                                             .nuevosParametros = ajustes.nuevosParametros,
                                                             .servidor = ajustes.servidor,
                                                             .baseDatos = ajustes.baseDatos,
                                                             .parametros = parametros});
        lineas.insert(lineas.end(), std::make_move_iterator(seccion.begin()),
                      std::make_move_iterator(seccion.end()));
        pAvance.ItemActualTerminado();
    }

    pAvance.MensajeDelProceso(L"Guardando Archivo...");
    zt::SaveLines(kArchivoConexiones, lineas);
}
