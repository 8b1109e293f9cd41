#include "progress/UINFOP50Layout.h"

namespace zt::progress {

using zt::ui::Align;
using zt::ui::FontSpec;
using zt::ui::LayoutRow;
using zt::ui::TextAlign;

const FontSpec& InfoP50Font() {
    static const FontSpec font{L"MS Sans Serif", 8, 11};
    return font;
}

std::span<const LayoutRow> InfoP50Layout() {
    static const FontSpec itemFont{L"MS Sans Serif", 8, 11, true, RGB(0, 0, 128)};
    static const FontSpec gaugeFont{L"MS Serif", 8, 8, false, CLR_INVALID, ANSI_CHARSET};
    // clang-format off
    static constexpr LayoutRow rows[] = {
        // name                          kind           parent        left top width height  align
        {L"PSuperior",                  L"panel",       L"",          {0,   0,  507, 89},  Align::Top,  L" "},
        {L"LNombreItemActual",          L"label",       L"PSuperior", {8,   8,  331, 13},  Align::None, L"LNombreItemActual"},
        {.name = L"LItemActual", .kind = L"label", .parent = L"PSuperior", .bounds = {352, 8, 137, 13},
         .caption = L"LItemActual", .alignment = TextAlign::Right, .font = &itemFont},
        {.name = L"LMensaje", .kind = L"label", .parent = L"PSuperior", .bounds = {8, 24, 102, 13},
         .caption = L"Mensaje del Proceso:", .autoSize = true},
        {L"LMensajeDelProceso",         L"label",       L"PSuperior", {120, 24, 377, 13},  Align::None, L"LMensajeDelProceso"},
        {.name = L"LUltimo", .kind = L"label", .parent = L"PSuperior", .bounds = {8, 40, 57, 13},
         .caption = L"Ultimo Error:", .autoSize = true},
        {.name = L"LUltimoError", .kind = L"label", .parent = L"PSuperior", .bounds = {72, 40, 417, 25},
         .caption = L"LUltimoError", .wordWrap = true},
        {.name = L"LErrores", .kind = L"label", .parent = L"PSuperior", .bounds = {8, 72, 145, 13},
         .caption = L"Número de errores producidos:", .autoSize = true},
        {.name = L"LNumeroDeErroresProducidos", .kind = L"label", .parent = L"PSuperior",
         .bounds = {160, 72, 143, 13}, .caption = L"LNumeroDeErroresProducidos", .autoSize = true},
        {L"GBTiempos",                  L"group box",   L"",          {0,   89, 507, 60},  Align::Top,  L" Estadísticas "},
        {L"PSuperior1",                 L"panel",       L"GBTiempos", {2,   15, 503, 26},  Align::Top,  L" "},
        {.name = L"LUltimoT", .kind = L"label", .parent = L"PSuperior1", .bounds = {5, -1, 120, 13},
         .caption = L"Ultimo tiempo Registrado:", .autoSize = true},
        {.name = L"LTmpTrn", .kind = L"label", .parent = L"PSuperior1", .bounds = {7, 12, 100, 13},
         .caption = L"Tiempo Transcurrido:", .autoSize = true},
        {L"LUltimoTiempo",              L"label",       L"PSuperior1", {144, 0,  129, 13}, Align::None, L"LUltimoTiempo"},
        {L"LTiempoTranscurrido",        L"label",       L"PSuperior1", {144, 12, 137, 13}, Align::None, L"LTiempoTranscurrido"},
        {L"PInferior1",                 L"panel",       L"GBTiempos", {2,   41, 503, 17},  Align::Top,  L" "},
        {.name = L"GBarraDeAvance", .kind = L"gauge", .parent = L"PInferior1", .bounds = {4, 2, 493, 11},
         .font = &gaugeFont},
        {L"PInferior",                  L"panel",       L"",          {0,   149, 507, 31}, Align::Top,  L" "},
        {L"SBVerDetalles",              L"flat button", L"PInferior", {194, 5,  95,  25},  Align::None, L"&Ver Detalles", true, 0},
        {L"BDetenerProceso",            L"flat button", L"PInferior", {294, 5,  131, 25},  Align::None, L"Detener Proceso", true, 1},
        {L"BSalir",                     L"flat button", L"PInferior", {430, 5,  75,  25},  Align::None, L"&Salir", true, 2},
    };
    // clang-format on
    static_assert(zt::ui::CheckLayout(rows).fault == zt::ui::LayoutFault::None,
                  "the dialog's layout is malformed");
    return rows;
}

} // namespace zt::progress
