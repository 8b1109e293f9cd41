// Generation of the connections file: one section per ticked alias, reported item by item in the
// progress dialog, saved in one piece, then shown to the user.
#include "app/UGnImcon.h"
#include "platform/catalogue/AliasCatalogue.h"
#include "platform/files/MessageBox.h"
#include "platform/files/SaveLines.h"
#include "platform/files/ShellOpen.h"
#include "progress/UINFOP50.h"
#include "runtime/StringList.h"
#include "runtime/Text.h"

#include <vector>

namespace {

constexpr const wchar_t* kArchivoConexiones = L"C:\\zentor\\version\\Conexiones.ini";

const wchar_t* DriverLine(int motor) {
    switch (motor) {
    case TFrmGnImcon::kMotorSqlServer: return L"DriverID=MSSQL";
    case TFrmGnImcon::kMotorOracle: return L"DriverID=ORA";
    case TFrmGnImcon::kMotorPostgreSql: return L"DriverID=PG";
    default: return nullptr;
    }
}

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
        lineas.push_back(L"[" + alias + L"]");
        if (const wchar_t* driver = DriverLine(RdgTipMoto.ItemIndex()))
            lineas.emplace_back(driver);
        if (!ChkNewParam.Checked()) {
            parametros.Clear();
            zt::platform::GetAliasParams(alias, parametros);
        }
        if (RdgTipMoto.ItemIndex() != kMotorOracle) {
            const std::wstring servidor =
                ChkNewParam.Checked() ? EdtServidor.Text() : parametros.Value(L"SERVER NAME");
            lineas.push_back(L"Server=" + zt::Trim(servidor));
        }
        if (ChkNewParam.Checked()) {
            lineas.push_back(L"DataBase=" + zt::Trim(EdtBaseDatos.Text()));
        } else if (RdgTipMoto.ItemIndex() == kMotorSqlServer) {
            lineas.push_back(L"DataBase=" + zt::Trim(parametros.Value(L"DATABASE NAME")));
        } else if (RdgTipMoto.ItemIndex() == kMotorOracle) {
            lineas.push_back(L"DataBase=" + zt::Trim(parametros.Value(L"SERVER NAME")));
        }
        lineas.emplace_back(L"User_Name=");
        lineas.emplace_back(L"Password=");
        lineas.emplace_back();
        FrmInfoP50->ItemActualTerminado();
    }

    // Only a complete run replaces the file; a failed one leaves the old file and reports its error.
    FrmInfoP50->MensajeDelProceso(L"Guardando Archivo...");
    zt::SaveLines(kArchivoConexiones, lineas);
    lineas = {};
    parametros.Clear();
    dialogo.Cerrar();

    zt::ShowMessageBox(std::wstring(L"Archivo de Conexiones generado en la ruta: ") + L"\r" + kArchivoConexiones +
                           L"\r" + L"Puede realizar los ajustes necesarios al archivo Conexiones.ini",
                       L"Importar Conexiones BDE a Alvenor", MB_OK | MB_ICONINFORMATION);
    zt::ShellOpen(Handle(), kArchivoConexiones);
}
