// The override of server and database, and the checks that guard a generation.
#include "app/UGnImcon.h"
#include "runtime/Text.h"

void TFrmGnImcon::ChkNewParamClick(zt::ui::Control&) {
    // With PostgreSQL the override cannot be switched off: ticking it again re-enters this handler.
    if (RdgTipMoto.ItemIndex() == kMotorPostgreSql && !ChkNewParam.Checked())
        ChkNewParam.SetChecked(true);
    HabilitarNuevosParametros(ChkNewParam.Checked());
}

void TFrmGnImcon::HabilitarNuevosParametros(bool pHabilitar) {
    EdtServidor.SetText(L"");
    EdtBaseDatos.SetText(L"");
    const bool conServidor = pHabilitar && RdgTipMoto.ItemIndex() != kMotorOracle;
    LblServidor.SetEnabled(conServidor);
    LblBaseDatos.SetEnabled(pHabilitar);
    EdtServidor.SetEnabled(conServidor);
    EdtBaseDatos.SetEnabled(pHabilitar);
}

void TFrmGnImcon::ValidarDatos() {
    if (ChkNewParam.Checked()) {
        if (RdgTipMoto.ItemIndex() != kMotorOracle && zt::Trim(EdtServidor.Text()).empty()) {
            EdtServidor.SetFocus();
            throw zt::Exception(L"Debe ingresar un nombre de servidor válido.");
        }
        if (zt::Trim(EdtBaseDatos.Text()).empty()) {
            EdtBaseDatos.SetFocus();
            throw zt::Exception(L"Debe ingresar un nombre de Base de Datos válido.");
        }
    }
    for (std::size_t i = 0; i < ChkLBAlias.Count(); ++i)
        if (ChkLBAlias.Checked(i))
            return;
    ChkLBAlias.SetFocus();
    throw zt::Exception(L"Debe seleccionar al menos un alias para importar.");
}
