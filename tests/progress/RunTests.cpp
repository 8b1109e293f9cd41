// The dialog while a caller loops over its items: what the user does reaches it only when an item
// starts, and the window keeps showing the run.
#include "DialogFixture.h"

namespace zt::progress::test {
namespace {

void PostAlt(HWND window, wchar_t letter) {
    PostMessageW(window, WM_SYSCHAR, letter, 1 << 29);
}

bool PaintPending(ui::Control& control) {
    return GetUpdateRect(control.Handle(), nullptr, FALSE) != FALSE;
}

TEST_F(DialogTest, UserInputTakesEffectAtTheNextItemWhileTheCallerLoops) {
    TFrmInfoP50& d = Dialog();
    const int count = 300;
    d.Inicializar(count, true);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(d.Handle()) && d.GBarraDeAvance.PaintCount() > 0; },
                        "the dialog on the screen"));
    const int outer = NativeHeight(d);
    int paintsWhileFolded = 0;
    for (int i = 1; i <= count; ++i) {
        const std::wstring name = L"Alias " + std::to_wstring(i);
        d.NombreItemActual(name);
        ASSERT_EQ(Shown(d.LNombreItemActual), name);
        ASSERT_EQ(Shown(d.LItemActual), std::to_wstring(i) + L" de 300");
        switch (i) {
        case 101:
            EXPECT_FALSE(d.ContinuarProceso()) << "the stop click was not handled when the item started";
            EXPECT_EQ(Shown(d.LMensajeDelProceso), L"DETENIENDO EL PROCESO...");
            break;
        case 151:
            EXPECT_EQ(NativeHeight(d), outer - Scaled(115)) << "Alt+V did not fold the details";
            paintsWhileFolded = d.GBarraDeAvance.PaintCount();
            break;
        case 201:
            EXPECT_EQ(NativeHeight(d), outer) << "the click on Ver Detalles did not unfold them";
            EXPECT_GT(d.GBarraDeAvance.PaintCount(), paintsWhileFolded) << "the bar stopped repainting";
            EXPECT_TRUE(IsWindowVisible(d.Handle()));
            break;
        case 251:
            EXPECT_FALSE(IsWindowVisible(d.Handle())) << "the close request was not handled";
            break;
        default:
            break;
        }
        d.MensajeDelProceso(L"Procesando " + name);
        d.ItemActualTerminado();

        // The user acts between two items; nothing happens before the next one starts.
        switch (i) {
        case 100:
            PostMessageW(d.BDetenerProceso.Handle(), BM_CLICK, 0, 0);
            d.UltimoError(L"sin respuesta");
            EXPECT_TRUE(d.ContinuarProceso());
            break;
        case 150:
            PostAlt(d.Handle(), L'v');
            PostAlt(d.Handle(), L's'); // "&Salir" is disabled during the run
            break;
        case 200:
            PostMessageW(d.SBVerDetalles.Handle(), BM_CLICK, 0, 0);
            break;
        case 250:
            PostMessageW(d.Handle(), WM_CLOSE, 0, 0);
            EXPECT_TRUE(IsWindowVisible(d.Handle()));
            break;
        default:
            break;
        }
    }
    EXPECT_EQ(d.GBarraDeAvance.PercentDone(), 100);
    EXPECT_FALSE(d.ContinuarProceso()) << "closing changed the stop request";
    EXPECT_EQ(Shown(d.LUltimoError), L"Alias 100: sin respuesta");
    EXPECT_EQ(Shown(d.LMensajeDelProceso), L"DETENIENDO EL PROCESO...");
    EXPECT_TRUE(reports.empty());
    d.Finalizar();
    EXPECT_EQ(d.GBarraDeAvance.ForeColor(), RGB(0, 0, 255));
}

TEST_F(DialogTest, PendingMessagesAreHandledOnlyWhenAnItemStarts) {
    TFrmInfoP50& d = Dialog();
    d.Inicializar(5, true);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(d.Handle()) && !PaintPending(d.PInferior); },
                        "the dialog painted"));
    const std::function<void()> others[] = {
        [&] { d.ItemActualTerminado(); }, [&] { d.MensajeDelProceso(L"m"); },
        [&] { d.UltimoError(L"e"); },     [&] { d.EmpleadoActualTerminado(2); },
        [&] { d.Finalizar(); },
    };
    for (const auto& operation : others) {
        InvalidateRect(d.PInferior.Handle(), nullptr, TRUE);
        operation();
        EXPECT_TRUE(PaintPending(d.PInferior)) << "an operation other than starting an item handled messages";
        application.ProcessMessages();
    }
    const std::function<void()> starts[] = {
        [&] { d.NombreItemActual(L"n"); },
        [&] { d.NombreItemActual(L"n", 4); },
        [&] { d.EmpleadoActual(7, L"Eva"); },
        [&] { d.EmpleadoActual(8, L"Eva", 5); },
    };
    for (const auto& operation : starts) {
        InvalidateRect(d.PInferior.Handle(), nullptr, TRUE);
        operation();
        EXPECT_FALSE(PaintPending(d.PInferior)) << "starting an item left a paint request pending";
    }
}

// Operations that handle no message still leave the dialog's changed labels on the screen as a
// full repaint would draw them, the time texts included, before they return.
TEST_F(DialogTest, ChangedLabelsArePaintedBeforeTheOperationReturns) {
    TFrmInfoP50& d = Dialog();
    d.Inicializar(4, true);
    d.NombreItemActual(L"Nómina");
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(d.Handle()) && !PaintPending(d.LTiempoTranscurrido); },
                        "the dialog painted"));
    struct Step {
        const char* name;
        std::function<void()> operation;
        std::vector<ui::Control*> changed;
    };
    const Step steps[] = {
        {"an item finished",
         [&] {
             Advance(0, 1, 4, 62);
             d.ItemActualTerminado();
         },
         {&d.LUltimoTiempo, &d.LTiempoTranscurrido}},
        {"an employee finished",
         [&] {
             Advance(0, 2, 0, 5);
             d.EmpleadoActualTerminado(3);
         },
         {&d.LUltimoTiempo, &d.LTiempoTranscurrido}},
        {"a message", [&] { d.MensajeDelProceso(L"Leyendo parámetros"); }, {&d.LMensajeDelProceso}},
        {"an error",
         [&] { d.UltimoError(L"sin respuesta del servidor"); },
         {&d.LUltimoError, &d.LNumeroDeErroresProducidos}},
        {"the end",
         [&] {
             Advance(0, 0, 9, 0);
             d.Finalizar();
         },
         {&d.LTiempoTranscurrido, &d.LMensajeDelProceso}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        std::vector<Pixels> before;
        for (ui::Control* label : step.changed)
            before.push_back(AsShown(label->Handle()));
        step.operation();
        for (std::size_t i = 0; i < step.changed.size(); ++i) {
            const HWND label = step.changed[i]->Handle();
            const Pixels now = AsShown(label);
            EXPECT_NE(now, before[i]) << "label " << i << " still shows its old text";
            RedrawWindow(label, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            EXPECT_EQ(now, AsShown(label)) << "label " << i << " was not painted whole";
        }
    }
}

TEST_F(DialogTest, AcceleratorsWorkWhileTheirButtonIsEnabled) {
    TFrmInfoP50& d = Dialog();
    d.Inicializar(2, true);
    PostAlt(d.Handle(), L's');
    d.NombreItemActual(L"a");
    EXPECT_TRUE(IsWindowVisible(d.Handle())) << "Alt+S closed the window while Salir was disabled";
    d.ItemActualTerminado();
    d.Finalizar();
    PostAlt(d.Handle(), L's');
    application.ProcessMessages();
    EXPECT_FALSE(IsWindowVisible(d.Handle())) << "Alt+S did not close the finished dialog";
    EXPECT_TRUE(reports.empty());
}

} // namespace
} // namespace zt::progress::test
