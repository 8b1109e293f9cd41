#pragma once
// The progress dialog: a modeless window through which a long operation on the user-interface thread
// reports its items, messages, errors and times, with a stop request and a fold-away of the details.
#include "runtime/DateTime.h"
#include "ui/FlatButton.h"
#include "ui/Form.h"
#include "ui/Gauge.h"
#include "ui/GroupBox.h"
#include "ui/Label.h"
#include "ui/Panel.h"

#include <functional>
#include <memory>
#include <string>

class TFrmInfoP50 : public zt::ui::Form {
public:
    // Hidden until Inicializar shows it; owned by (and kept above) AOwner's window.
    explicit TFrmInfoP50(zt::ui::Form& AOwner);

    zt::ui::Panel PSuperior;
    zt::ui::Label LNombreItemActual;
    zt::ui::Label LItemActual;
    zt::ui::Label LMensaje;
    zt::ui::Label LMensajeDelProceso;
    zt::ui::Label LUltimo;
    zt::ui::Label LUltimoError;
    zt::ui::Label LErrores;
    zt::ui::Label LNumeroDeErroresProducidos;
    zt::ui::GroupBox GBTiempos;
    zt::ui::Panel PSuperior1;
    zt::ui::Label LUltimoT;
    zt::ui::Label LTmpTrn;
    zt::ui::Label LUltimoTiempo;
    zt::ui::Label LTiempoTranscurrido;
    zt::ui::Panel PInferior1;
    zt::ui::Gauge GBarraDeAvance;
    zt::ui::Panel PInferior;
    zt::ui::FlatButton SBVerDetalles;
    zt::ui::FlatButton BDetenerProceso;
    zt::ui::FlatButton BSalir;

    void Inicializar(int pCantidadDeRegistros, bool pResetAll);
    void MensajeDelProceso(std::wstring Value);
    void UltimoError(std::wstring Value);
    void Finalizar();
    void NombreItemActual(std::wstring Value);
    void NombreItemActual(std::wstring Value, int pInRegActu);
    void EmpleadoActual(long double pIdentificacion, std::wstring pNombre);
    void EmpleadoActual(long double pIdentificacion, std::wstring pNombre, int pInRegActu);
    void ItemActualTerminado();
    void EmpleadoActualTerminado();
    void EmpleadoActualTerminado(int pInRegActu);

    bool ContinuarProceso() const { return FContinuarProceso; }
    void SetContinuarProceso(bool Value) { FContinuarProceso = Value; }

    void FormCreate(zt::ui::Control& Sender);
    void BDetenerProcesoClick(zt::ui::Control& Sender);
    void BSalirClick(zt::ui::Control& Sender);
    void SBVerDetallesClick(zt::ui::Control& Sender);

    // Where "now" comes from; the local clock unless replaced.
    void SetClock(std::function<zt::DateTime()> clock) { clock_ = std::move(clock); }

private:
    void SetItemActual(int Value);
    void SetNumeroDeErroresProducidos(int Value);
    void MostrarUltimoTiempo();
    void MostrarTiempoTranscurrido();
    void PasoDeColor();
    void MostrarColor();

    bool FContinuarProceso = false;
    int FItemActual = 0;
    int FItemsAProcesar = 0;
    bool FHoraDeInicioTransAsignada = false;
    zt::DateTime FHoraDeInicioTrans = 0;
    zt::DateTime FHoraDeInicioItem = 0;
    int FNumeroDeErroresProducidos = 0;
    bool FVerDetalles = false;
    double FColorRojo = 0;
    double FColorVerde = 0;
    double FPasosDeColor = 0;

    std::function<zt::DateTime()> clock_ = zt::Now;
};

// The program's progress dialog, created and destroyed by the operation that reports through it.
extern std::unique_ptr<TFrmInfoP50> FrmInfoP50;
