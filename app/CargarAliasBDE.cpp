// Alias discovery into the main window: the engine on RdgTipMoto, every alias found listed and ticked.
#include "app/Descubrimiento.h"
#include "app/UGnImcon.h"

namespace {

class TDescubrimientoEnVentana final : public TDestinoDelDescubrimiento {
public:
    explicit TDescubrimientoEnVentana(TFrmGnImcon& pVentana) : ventana_(pVentana) {}

    void AliasLeidos(std::size_t) override {}
    void MotorDetectado(int pMotor, const std::wstring&) override {
        if (pMotor < 0)
            return; // no engine: the selector and the override box stay as they are
        ventana_.RdgTipMoto.SetItemIndex(pMotor);
        if (pMotor == kMotorPostgreSql) {
            ventana_.ChkNewParam.SetChecked(true); // runs ChkNewParamClick through the click event
            ventana_.ChkNewParamClick(ventana_.ChkNewParam);
        }
    }
    void AliasEncontrado(const std::wstring& pAlias) override {
        ventana_.ChkLBAlias.SetChecked(ventana_.ChkLBAlias.Add(pAlias), true);
    }

private:
    TFrmGnImcon& ventana_;
};

} // namespace

void TFrmGnImcon::CargarAliasBDE() {
    TDescubrimientoEnVentana destino(*this);
    DescubrirAlias(destino);
}
