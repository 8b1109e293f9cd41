// Generation of the connections file: one section per ticked alias, reported item by item in the
// progress dialog, saved in one piece, then shown to the user.
#include "app/SeccionAlias.h"
#include "app/UGnImcon.h"
#include "platform/catalogue/AliasCatalogue.h"
#include "platform/files/SaveLines.h"
#include "platform/files/ShellOpen.h"
#include "progress/UINFOP50.h"
#include "runtime/StringList.h"
#include "ui/MessageBox.h"

#include <iterator>
#include <vector>

namespace {

constexpr const wchar_t* kArchivoConexiones = L"C:\\zentor\\version\\Conexiones.ini";

// The dialog belongs to one run: whatever way the run ends, it is finished and destroyed.
class DialogoDeLaCorrida {
public:
    explicit DialogoDeLaCorrida(zt::ui::Form& owner) { FrmInfoP50 = std::make_unique<TFrmInfoP50>(owner); }
    ~DialogoDeLaCorrida() { Cerrar(); }
    DialogoDeLaCorrida(const DialogoDeLaCorrida&) = delete;
    DialogoDeLaCorrida& operator=(const DialogoDeLaCorrida&) = delete;

    void Cerrar() noexcept {
        if (!FrmInfoP50)
            return;
        try {
            FrmInfoP50->Finalizar();
        } catch (...) {
            // Finishing only repaints; the run's own outcome is what gets reported.
        }
        FrmInfoP50.reset();
    }
};

} // namespace

void TFrmGnImcon::BtnImportarClick(zt::ui::Control&) {
    if (FrmInfoP50)
        return; // a run is under way: its dialog handles messages, this click starts nothing
    ValidarDatos();
    Importar();
}

void TFrmGnImcon::Importar() {
    std::vector<std::wstring> lineas;
    zt::StringList parametros;
    DialogoDeLaCorrida dialogo(*this);

    FrmInfoP50->Inicializar(static_cast<int>(ChkLBAlias.Count()), true);
    FrmInfoP50->MensajeDelProceso(L"Escribiendo Archivo de Conexiones Alvenor");
    for (std::size_t i = 0; i < ChkLBAlias.Count(); ++i) {
        if (!ChkLBAlias.Checked(i))
            continue;
        const std::wstring alias = ChkLBAlias.Item(i);
        FrmInfoP50->NombreItemActual(L"Generando Alias: " + alias);
        // The controls are read afresh for each alias: announcing it handles pending messages.
        const bool nuevosParametros = ChkNewParam.Checked();
        if (!nuevosParametros) {
            parametros.Clear();
            zt::platform::GetAliasParams(alias, parametros);
        }
        std::vector<std::wstring> seccion = LineasDeSeccion({.alias = alias,
                                                             .motor = RdgTipMoto.ItemIndex(),
                                                             .nuevosParametros = nuevosParametros,
                                                             .servidor = EdtServidor.Text(),
                                                             .baseDatos = EdtBaseDatos.Text(),
                                                             .parametros = parametros});
        lineas.insert(lineas.end(), std::make_move_iterator(seccion.begin()),
                      std::make_move_iterator(seccion.end()));
        FrmInfoP50->ItemActualTerminado();
    }

    // Only a complete run replaces the file; a failed one leaves the old file and reports its error.
    FrmInfoP50->MensajeDelProceso(L"Guardando Archivo...");
    zt::SaveLines(kArchivoConexiones, lineas);
    lineas = {};
    parametros.Clear();
    dialogo.Cerrar();

    zt::ui::ShowMessageBox(std::wstring(L"Archivo de Conexiones generado en la ruta: ") + L"\r" +
                               kArchivoConexiones + L"\r" +
                               L"Puede realizar los ajustes necesarios al archivo Conexiones.ini",
                           L"Importar Conexiones BDE a Alvenor", MB_OK | MB_ICONINFORMATION);
    zt::ShellOpen(Handle(), kArchivoConexiones);
}
