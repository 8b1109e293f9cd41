// ZtCaptionProbe.exe <report>: builds both windows of the utility as the program does, in the fonts
// and at the dpi that this process was started with, and writes what each control shows, one line a
// control, tab-separated, in UTF-8:
//   name parent kind text left top width height needWidth needHeight parentWidth parentHeight layout
// where the place is the native window's in its parent's client area, "need" is what the control's
// text takes in the control's font (0 0 for controls without a caption of their own) and "layout" is
// the row's place scaled to the dpi ("-" for controls without a row); the parent is named as the
// control is, "form" for the window itself. A first line names the faces
// that the two windows' fonts came out as: "faces <main> <progress>".
#include "app/LayoutGnImcon.h"
#include "app/UGnImcon.h"
#include "progress/UINFOP50.h"
#include "progress/UINFOP50Layout.h"
#include "tests/support/Bytes.h"
#include "ui/Application.h"

#include <algorithm>
#include <fstream>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>
#include <windows.h>

namespace {

using zt::ui::Control;
using zt::ui::LayoutRow;

struct Member {
    std::wstring name;
    Control* control;
    std::span<const LayoutRow> layout;
};

using zt::test::ToUtf8;

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

// The text's extent in the window's own font, as a single line; "&" marks take no room.
SIZE TextExtent(HWND hwnd, const std::wstring& text) {
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
    RECT rect{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return {rect.right, rect.bottom};
}

std::wstring FaceOf(HFONT font) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return face;
}

// What a control needs to show its whole caption: the text, and around it what the kind draws.
SIZE Needed(const std::wstring& kind, HWND hwnd, int dpi) {
    const std::wstring text = WindowText(hwnd);
    if (text.empty())
        return {0, 0};
    const SIZE extent = TextExtent(hwnd, text);
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    if (kind == L"label") // one line; a label that wraps (SS_LEFT) shows values, not a caption
        return (style & SS_TYPEMASK) == SS_LEFT ? SIZE{0, 0} : extent;
    if (kind == L"check box" || kind == L"radio item") {
        // The tick box, then half a digit's width before the text.
        HDC dc = GetDC(hwnd);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
        INT digit = 0;
        GetCharWidth32W(dc, L'0', L'0', &digit);
        SelectObject(dc, old);
        ReleaseDC(hwnd, dc);
        return {MulDiv(13, dpi, 96) + digit / 2 + extent.cx, extent.cy};
    }
    if (kind == L"group box" || kind == L"radio group") // the caption starts 8 pixels in
        return {MulDiv(8, dpi, 96) + extent.cx, extent.cy};
    if (kind == L"flat button") // the picture and a gap before the caption
        return {MulDiv(16 + 4, dpi, 96) + extent.cx, std::max<LONG>(extent.cy, MulDiv(16, dpi, 96))};
    if (kind == L"push button")
        return {extent.cx + 2 * GetSystemMetrics(SM_CXEDGE), extent.cy + 2 * GetSystemMetrics(SM_CYEDGE)};
    return {0, 0}; // edits, lists, panels, pictures, the gauge: no caption of their own
}

std::optional<zt::ui::Bounds> LayoutBounds(std::span<const LayoutRow> rows, const std::wstring& name,
                                           const zt::ui::Scaler& scale) {
    for (const LayoutRow& row : rows)
        if (row.name == name)
            return scale(row.bounds);
    return std::nullopt;
}

void WriteLine(std::ofstream& out, const std::wstring& name, const std::wstring& parentName,
               const std::wstring& kind, HWND hwnd, const std::optional<zt::ui::Bounds>& layout, int dpi) {
    RECT rect;
    GetWindowRect(hwnd, &rect);
    HWND parent = GetParent(hwnd);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    RECT parentClient;
    GetClientRect(parent, &parentClient);
    const SIZE need = Needed(kind, hwnd, dpi);
    out << ToUtf8(name) << '\t' << ToUtf8(parentName) << '\t' << ToUtf8(kind) << '\t'
        << ToUtf8(WindowText(hwnd)) << '\t' << rect.left << '\t' << rect.top << '\t' << rect.right - rect.left
        << '\t' << rect.bottom - rect.top << '\t' << need.cx << '\t' << need.cy << '\t' << parentClient.right
        << '\t' << parentClient.bottom << '\t';
    if (layout)
        out << layout->left << ' ' << layout->top << ' ' << layout->width << ' ' << layout->height;
    else
        out << '-';
    out << '\n';
}

std::wstring NameOf(const std::vector<Member>& members, const Control* control) {
    for (const Member& m : members)
        if (m.control == control)
            return m.name;
    return L"form";
}

void Report(std::ofstream& out, const std::vector<Member>& members, const zt::ui::Scaler& scale) {
    for (const Member& m : members) {
        HWND hwnd = m.control->Handle();
        WriteLine(out, m.name, NameOf(members, m.control->Parent()), m.control->Kind(), hwnd,
                  LayoutBounds(m.layout, m.name, scale), scale.dpi);
        if (std::wstring(m.control->Kind()) == L"radio group") {
            int index = 0;
            for (HWND child = GetWindow(hwnd, GW_CHILD); child != nullptr;
                 child = GetWindow(child, GW_HWNDNEXT))
                if (ClassOf(child) == L"Button")
                    WriteLine(out, m.name + L" item " + std::to_wstring(index++), m.name, L"radio item",
                              child, std::nullopt, scale.dpi);
        }
    }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2)
        return 2;
    return zt::ui::RunProgram([&] {
        zt::ui::Application application;
        application.SetTitle(L"Importar Conexiones BDE a Alvenor");
        TFrmGnImcon& main = application.CreateForm(FrmGnImcon);
        main.Handle();
        auto progress = std::make_unique<TFrmInfoP50>(main);
        const std::span<const LayoutRow> mainRows = LayoutGnImcon();
        const std::span<const LayoutRow> progressRows = zt::progress::InfoP50Layout();
        const std::vector<Member> mainMembers = {
            {L"PnlMotor", &main.PnlMotor, mainRows},
            {L"Panel3", &main.Panel3, mainRows},
            {L"Image1", &main.Image1, mainRows},
            {L"RdgTipMoto", &main.RdgTipMoto, mainRows},
            {L"GrbConfiguracion", &main.GrbConfiguracion, mainRows},
            {L"ChkNewParam", &main.ChkNewParam, mainRows},
            {L"LblServidor", &main.LblServidor, mainRows},
            {L"EdtServidor", &main.EdtServidor, mainRows},
            {L"LblBaseDatos", &main.LblBaseDatos, mainRows},
            {L"EdtBaseDatos", &main.EdtBaseDatos, mainRows},
            {L"GrbAlias", &main.GrbAlias, mainRows},
            {L"ChkLBAlias", &main.ChkLBAlias, mainRows},
            {L"PnlImportar", &main.PnlImportar, mainRows},
            {L"BtnImportar", &main.BtnImportar, mainRows},
        };
        const std::vector<Member> progressMembers = {
            {L"PSuperior", &progress->PSuperior, progressRows},
            {L"LNombreItemActual", &progress->LNombreItemActual, progressRows},
            {L"LItemActual", &progress->LItemActual, progressRows},
            {L"LMensaje", &progress->LMensaje, progressRows},
            {L"LMensajeDelProceso", &progress->LMensajeDelProceso, progressRows},
            {L"LUltimo", &progress->LUltimo, progressRows},
            {L"LUltimoError", &progress->LUltimoError, progressRows},
            {L"LErrores", &progress->LErrores, progressRows},
            {L"LNumeroDeErroresProducidos", &progress->LNumeroDeErroresProducidos, progressRows},
            {L"GBTiempos", &progress->GBTiempos, progressRows},
            {L"PSuperior1", &progress->PSuperior1, progressRows},
            {L"LUltimoT", &progress->LUltimoT, progressRows},
            {L"LTmpTrn", &progress->LTmpTrn, progressRows},
            {L"LUltimoTiempo", &progress->LUltimoTiempo, progressRows},
            {L"LTiempoTranscurrido", &progress->LTiempoTranscurrido, progressRows},
            {L"PInferior1", &progress->PInferior1, progressRows},
            {L"GBarraDeAvance", &progress->GBarraDeAvance, progressRows},
            {L"PInferior", &progress->PInferior, progressRows},
            {L"SBVerDetalles", &progress->SBVerDetalles, progressRows},
            {L"BDetenerProceso", &progress->BDetenerProceso, progressRows},
            {L"BSalir", &progress->BSalir, progressRows},
        };
        std::ofstream out(argv[1], std::ios::binary);
        out << "faces\t" << ToUtf8(FaceOf(main.GetFont()->Handle())) << '\t'
            << ToUtf8(FaceOf(progress->GetFont()->Handle())) << '\n';
        Report(out, mainMembers, main.GetScaler());
        Report(out, progressMembers, progress->GetScaler());
        out.close();
        if (!out)
            throw zt::Exception(L"the report could not be written");
        progress.reset();
        FrmGnImcon.reset();
    });
}
