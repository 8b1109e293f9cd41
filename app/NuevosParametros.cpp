// The override of server and database, and the checks that guard a generation.
#include "app/Comprobaciones.h"
#include "app/UGnImcon.h"

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
    bool hayAliasMarcado = false;
    for (std::size_t i = 0; i < ChkLBAlias.Count() && !hayAliasMarcado; ++i)
        hayAliasMarcado = ChkLBAlias.Checked(i);
    const std::optional<TRechazo> rechazo = ComprobarDatos({.motor = RdgTipMoto.ItemIndex(),
                                                            .nuevosParametros = ChkNewParam.Checked(),
                                                            .servidor = EdtServidor.Text(),
                                                            .baseDatos = EdtBaseDatos.Text(),
                                                            .hayAliasMarcado = hayAliasMarcado});
    if (!rechazo)
        return;
    switch (rechazo->campo) {
    case TCampoRechazado::Servidor:
        EdtServidor.SetFocus();
        break;
    case TCampoRechazado::BaseDatos:
        EdtBaseDatos.SetFocus();
        break;
    case TCampoRechazado::Alias:
        ChkLBAlias.SetFocus();
        break;
    }
    throw zt::Exception(rechazo->mensaje);
}
