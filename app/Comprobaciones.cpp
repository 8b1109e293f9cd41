#include "app/Comprobaciones.h"

#include "app/Motores.h"
#include "runtime/Text.h"

std::optional<TRechazo> ComprobarDatos(const TDatosAComprobar& pDatos) {
    if (pDatos.nuevosParametros) {
        if (pDatos.motor != kMotorOracle && zt::Trim(pDatos.servidor).empty())
            return TRechazo{TCampoRechazado::Servidor, L"Debe ingresar un nombre de servidor válido."};
        if (zt::Trim(pDatos.baseDatos).empty())
            return TRechazo{TCampoRechazado::BaseDatos, L"Debe ingresar un nombre de Base de Datos válido."};
    }
    if (!pDatos.hayAliasMarcado)
        return TRechazo{TCampoRechazado::Alias, L"Debe seleccionar al menos un alias para importar."};
    return std::nullopt;
}
