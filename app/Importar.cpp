// A click on "&Importar": the checks, then the generation reported in the progress dialog, then the
// file shown to the user.
#include "app/CorridaUnica.h"
#include "app/GeneracionConexiones.h"
#include "app/UGnImcon.h"
#include "platform/files/ShellOpen.h"
#include "progress/UINFOP50.h"
#include "ui/MessageBox.h"

namespace {

// The dialog belongs to one run: whatever way the run ends, it is finished and destroyed.
class DialogoDeLaCorrida final : public TAvanceDeImportacion {
public:
    explicit DialogoDeLaCorrida(zt::ui::Form& owner) { FrmInfoP50 = std::make_unique<TFrmInfoP50>(owner); }
    ~DialogoDeLaCorrida() { Cerrar(); }
    DialogoDeLaCorrida(const DialogoDeLaCorrida&) = delete;
    DialogoDeLaCorrida& operator=(const DialogoDeLaCorrida&) = delete;

    void Inicializar(int pCantidadDeRegistros) override {
        FrmInfoP50->Inicializar(pCantidadDeRegistros, true);
    }
    void MensajeDelProceso(const std::wstring& Value) override { FrmInfoP50->MensajeDelProceso(Value); }
    void NombreItemActual(const std::wstring& Value) override { FrmInfoP50->NombreItemActual(Value); }
    void ItemActualTerminado() override { FrmInfoP50->ItemActualTerminado(); }

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

// The aliases, their tick marks and the override as the main window's controls hold them.
class SeleccionEnVentana final : public TSeleccionDeAlias {
public:
    explicit SeleccionEnVentana(const TFrmGnImcon& pVentana) : ventana_(pVentana) {}

    std::size_t Cantidad() const override { return ventana_.ChkLBAlias.Count(); }
    bool Marcado(std::size_t pIndice) const override { return ventana_.ChkLBAlias.Checked(pIndice); }
    std::wstring Nombre(std::size_t pIndice) const override { return ventana_.ChkLBAlias.Item(pIndice); }
    TAjustesDeSeccion Ajustes() const override {
        return {.motor = ventana_.RdgTipMoto.ItemIndex(),
                .nuevosParametros = ventana_.ChkNewParam.Checked(),
                .servidor = ventana_.EdtServidor.Text(),
                .baseDatos = ventana_.EdtBaseDatos.Text()};
    }

private:
    const TFrmGnImcon& ventana_;
};

} // namespace

void TFrmGnImcon::BtnImportarClick(zt::ui::Control&) {
    if (FrmInfoP50)
        return; // a run is under way: its dialog handles messages, this click starts nothing
    ValidarDatos();
    Importar();
}

void TFrmGnImcon::Importar() {
    {
        // Held until the file is saved, not while the message box waits for the user.
        const TCorridaUnica corrida;
        if (!corrida.Tomada())
            throw zt::Exception(kMensajeCorridaEnCurso);
        DialogoDeLaCorrida dialogo(*this);
        GenerarConexiones(SeleccionEnVentana(*this), dialogo);
    }

    zt::ui::ShowMessageBox(std::wstring(L"Archivo de Conexiones generado en la ruta: ") + L"\r" +
                               kArchivoConexiones + L"\r" +
                               L"Puede realizar los ajustes necesarios al archivo Conexiones.ini",
                           L"Importar Conexiones BDE a Alvenor", MB_OK | MB_ICONINFORMATION);
    zt::ShellOpen(Handle(), kArchivoConexiones);
}
