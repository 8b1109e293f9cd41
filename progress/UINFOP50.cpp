#include "progress/UINFOP50.h"

#include "progress/ProgressTexts.h"
#include "progress/UINFOP50Layout.h"
#include "runtime/Exceptions.h"
#include "runtime/Format.h"
#include "ui/Application.h"
#include "ui/CaptionSpacing.h"

#include <utility>

std::unique_ptr<TFrmInfoP50> FrmInfoP50;

namespace {

constexpr COLORREF kLima = RGB(0, 255, 0);
constexpr COLORREF kAzul = RGB(0, 0, 255);

// Counters wrap around rather than overflow.
int Siguiente(int value) {
    return static_cast<int>(static_cast<unsigned>(value) + 1u);
}

// A time text is written only when it changes: most items take less than a millisecond and the elapsed
// time moves once a second, and writing the text a label shows already repaints it for nothing.
void MostrarSiCambia(zt::ui::Label& label, std::wstring text) {
    if (text != label.Text())
        label.SetText(std::move(text));
}

} // namespace

TFrmInfoP50::TFrmInfoP50(zt::ui::Form& AOwner)
    : Form(zt::ui::FormStyle{zt::progress::kInfoP50Class, true, true, true}) {
    SetOwner(&AOwner);
    SetVisible(false);
    SetText(zt::progress::kInfoP50Caption);
    SetFont(zt::progress::InfoP50Font());
    SetClientSize(zt::progress::kInfoP50ClientWidth, zt::progress::kInfoP50ClientHeight);
    const zt::ui::LayoutMember members[] = {
        {L"PSuperior", &PSuperior},
        {L"LNombreItemActual", &LNombreItemActual},
        {L"LItemActual", &LItemActual},
        {L"LMensaje", &LMensaje},
        {L"LMensajeDelProceso", &LMensajeDelProceso},
        {L"LUltimo", &LUltimo},
        {L"LUltimoError", &LUltimoError},
        {L"LErrores", &LErrores},
        {L"LNumeroDeErroresProducidos", &LNumeroDeErroresProducidos},
        {L"GBTiempos", &GBTiempos},
        {L"PSuperior1", &PSuperior1},
        {L"LUltimoT", &LUltimoT},
        {L"LTmpTrn", &LTmpTrn},
        {L"LUltimoTiempo", &LUltimoTiempo},
        {L"LTiempoTranscurrido", &LTiempoTranscurrido},
        {L"PInferior1", &PInferior1},
        {L"GBarraDeAvance", &GBarraDeAvance},
        {L"PInferior", &PInferior},
        {L"SBVerDetalles", &SBVerDetalles},
        {L"BDetenerProceso", &BDetenerProceso},
        {L"BSalir", &BSalir},
    };
    zt::ui::ApplyLayout(*this, zt::progress::InfoP50Layout(), members);
    // The table's widths were measured with the designer's font: fit the self-sizing labels to ours.
    for (zt::ui::Label* label :
         {&LMensaje, &LUltimo, &LErrores, &LNumeroDeErroresProducidos, &LUltimoT, &LTmpTrn})
        label->SetText(label->Text());
    // A caption that grew with the font pushes its value to the right; the two times stay a column.
    const int gap = GetScaler()(4);
    zt::ui::KeepValuesClearOfCaptions({{&LMensaje, &LMensajeDelProceso}}, gap);
    zt::ui::KeepValuesClearOfCaptions({{&LUltimo, &LUltimoError}}, gap);
    zt::ui::KeepValuesClearOfCaptions({{&LErrores, &LNumeroDeErroresProducidos}}, gap);
    zt::ui::KeepValuesClearOfCaptions({{&LUltimoT, &LUltimoTiempo}, {&LTmpTrn, &LTiempoTranscurrido}}, gap);
    GBarraDeAvance.SetForeColor(kLima);
    SBVerDetalles.SetGlyph(L"SBVERDETALLES");
    BDetenerProceso.SetGlyph(L"BDETENERPROCESO");
    BSalir.SetGlyph(L"BSALIR");
    SBVerDetalles.OnClick = [this](zt::ui::Control& sender) { SBVerDetallesClick(sender); };
    BDetenerProceso.OnClick = [this](zt::ui::Control& sender) { BDetenerProcesoClick(sender); };
    BSalir.OnClick = [this](zt::ui::Control& sender) { BSalirClick(sender); };
    OnCreate = [this](zt::ui::Control& sender) { FormCreate(sender); };
    Handle();
    DoCreate();
}

void TFrmInfoP50::FormCreate(zt::ui::Control& /*Sender*/) {
    FVerDetalles = true;
}

void TFrmInfoP50::Inicializar(int pCantidadDeRegistros, bool pResetAll) {
    NombreItemActual(L"");
    FItemsAProcesar = pCantidadDeRegistros;
    SetItemActual(0);
    if (pResetAll) {
        SetNumeroDeErroresProducidos(0);
        UltimoError(L"");
        LUltimoTiempo.SetText(L"00m:00s:00ms");
        LTiempoTranscurrido.SetText(L"0h:00m:00s");
        BSalir.SetEnabled(false);
        BDetenerProceso.SetEnabled(true);
        FHoraDeInicioTransAsignada = false;
        FContinuarProceso = true;
    }
    MensajeDelProceso(L"");
    GBarraDeAvance.SetMaxValue(pCantidadDeRegistros);
    GBarraDeAvance.SetProgress(0);
    FColorRojo = 0;
    FColorVerde = 255;
    GBarraDeAvance.SetForeColor(kLima);
    // Floating point does not trap here, so a count of 0 is caught before it divides.
    const double mitad = pCantidadDeRegistros / 2.0;
    if (mitad == 0.0)
        throw zt::EZeroDivide(zt::kZeroDivideMessage);
    FPasosDeColor = 255.0 / mitad;
    Show();
    zt::ui::Application::Instance().ProcessMessages();
}

void TFrmInfoP50::MensajeDelProceso(std::wstring Value) {
    if (FContinuarProceso)
        LMensajeDelProceso.SetText(std::move(Value));
}

void TFrmInfoP50::UltimoError(std::wstring Value) {
    if (Value.empty()) {
        LUltimoError.SetText(L"");
        return;
    }
    LUltimoError.SetText(LNombreItemActual.Text() + L": " + Value);
    SetNumeroDeErroresProducidos(Siguiente(FNumeroDeErroresProducidos));
}

void TFrmInfoP50::Finalizar() {
    MostrarTiempoTranscurrido();
    MensajeDelProceso(L"PROCESO TERMINADO");
    BSalir.SetEnabled(true);
    BDetenerProceso.SetEnabled(false);
    GBarraDeAvance.SetForeColor(kAzul);
}

void TFrmInfoP50::NombreItemActual(std::wstring Value) {
    NombreItemActual(std::move(Value), Siguiente(FItemActual));
}

void TFrmInfoP50::NombreItemActual(std::wstring Value, int pInRegActu) {
    LNombreItemActual.SetText(std::move(Value));
    SetItemActual(pInRegActu);
    if (!FHoraDeInicioTransAsignada) {
        FHoraDeInicioTrans = clock_();
        FHoraDeInicioTransAsignada = true;
    }
    FHoraDeInicioItem = clock_();
    zt::ui::Application::Instance().ProcessMessages();
}

void TFrmInfoP50::EmpleadoActual(long double pIdentificacion, std::wstring pNombre) {
    NombreItemActual(zt::progress::WholeNumberText(pIdentificacion) + L"   " + pNombre);
}

void TFrmInfoP50::EmpleadoActual(long double pIdentificacion, std::wstring pNombre, int pInRegActu) {
    NombreItemActual(zt::progress::WholeNumberText(pIdentificacion) + L"   " + pNombre, pInRegActu);
}

void TFrmInfoP50::ItemActualTerminado() {
    MostrarUltimoTiempo();
    MostrarTiempoTranscurrido();
    GBarraDeAvance.AddProgress(1);
    PasoDeColor();
}

void TFrmInfoP50::EmpleadoActualTerminado() {
    ItemActualTerminado();
}

void TFrmInfoP50::EmpleadoActualTerminado(int pInRegActu) {
    MostrarUltimoTiempo();
    MostrarTiempoTranscurrido();
    GBarraDeAvance.SetProgress(pInRegActu);
    PasoDeColor();
}

void TFrmInfoP50::BDetenerProcesoClick(zt::ui::Control& /*Sender*/) {
    MensajeDelProceso(L"DETENIENDO EL PROCESO...");
    FContinuarProceso = false;
}

void TFrmInfoP50::BSalirClick(zt::ui::Control& /*Sender*/) {
    Close();
}

void TFrmInfoP50::SBVerDetallesClick(zt::ui::Control& /*Sender*/) {
    FVerDetalles = !FVerDetalles;
    PSuperior.SetVisible(FVerDetalles);
    PSuperior1.SetVisible(FVerDetalles);
    const int superior = PSuperior.GetBounds().height;
    const int superior1 = PSuperior1.GetBounds().height;
    const int signo = FVerDetalles ? 1 : -1;
    SetOuterHeight(OuterHeight() + signo * (superior + superior1));
    GBTiempos.SetHeight(GBTiempos.GetBounds().height + signo * superior1);
}

void TFrmInfoP50::SetItemActual(int Value) {
    FItemActual = Value;
    LItemActual.SetText(zt::IntToStr(FItemActual) + L" de " + zt::IntToStr(FItemsAProcesar));
}

void TFrmInfoP50::SetNumeroDeErroresProducidos(int Value) {
    FNumeroDeErroresProducidos = Value;
    LNumeroDeErroresProducidos.SetText(zt::IntToStr(FNumeroDeErroresProducidos));
}

void TFrmInfoP50::MostrarUltimoTiempo() {
    MostrarSiCambia(LUltimoTiempo, zt::progress::LastItemTimeText(clock_() - FHoraDeInicioItem));
}

void TFrmInfoP50::MostrarTiempoTranscurrido() {
    MostrarSiCambia(LTiempoTranscurrido, zt::progress::ElapsedTimeText(clock_() - FHoraDeInicioTrans));
}

// One colour component moves per finished item: red up in the first half, green down in the second.
void TFrmInfoP50::PasoDeColor() {
    const int maximo = GBarraDeAvance.MaxValue();
    if (maximo == 0) // progress is kept within the maximum, so this is 0 / 0
        throw zt::EInvalidOp(zt::kInvalidOpMessage);
    const double razon = static_cast<double>(GBarraDeAvance.Progress()) / maximo;
    if (razon > 0.5) {
        FColorVerde -= FPasosDeColor;
        if (FColorVerde < 0)
            FColorVerde = 0;
    } else {
        FColorRojo += FPasosDeColor;
        if (FColorRojo > 255)
            FColorRojo = 255;
    }
    MostrarColor();
}

void TFrmInfoP50::MostrarColor() {
    GBarraDeAvance.SetForeColor(RGB(static_cast<int>(FColorRojo), static_cast<int>(FColorVerde), 0));
}
