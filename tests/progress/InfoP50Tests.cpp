#include "DialogFixture.h"
#include "progress/ProgressTexts.h"

#include <climits>

namespace zt::progress::test {
namespace {

constexpr COLORREF kLime = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

TEST_F(DialogTest, CreatedHiddenWithTheLayoutsTexts) {
    TFrmInfoP50& d = Dialog();
    EXPECT_FALSE(IsWindowVisible(d.Handle()));
    EXPECT_EQ(Shown(d), L"Información del Proceso");
    wchar_t className[64] = {};
    GetClassNameW(d.Handle(), className, 64);
    EXPECT_STREQ(className, L"TFrmInfoP50");
    EXPECT_EQ(GetWindow(d.Handle(), GW_OWNER), owner.Handle());
    const LONG style = GetWindowLongW(d.Handle(), GWL_STYLE);
    EXPECT_EQ(style & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
              WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    EXPECT_EQ(style & WS_THICKFRAME, 0) << "the border can be dragged";
    RECT client;
    GetClientRect(d.Handle(), &client);
    EXPECT_EQ(client.right, Scaled(507));
    EXPECT_EQ(client.bottom, Scaled(181));
    const std::pair<ui::Control*, const wchar_t*> valueLabels[] = {
        {&d.LNombreItemActual, L"LNombreItemActual"},
        {&d.LItemActual, L"LItemActual"},
        {&d.LMensajeDelProceso, L"LMensajeDelProceso"},
        {&d.LUltimoError, L"LUltimoError"},
        {&d.LNumeroDeErroresProducidos, L"LNumeroDeErroresProducidos"},
        {&d.LUltimoTiempo, L"LUltimoTiempo"},
        {&d.LTiempoTranscurrido, L"LTiempoTranscurrido"},
    };
    for (const auto& [label, name] : valueLabels)
        EXPECT_EQ(Shown(*label), name);
    EXPECT_EQ(Shown(d.LErrores), L"Número de errores producidos:");
    EXPECT_EQ(Shown(d.GBTiempos), L" Estadísticas ");
    EXPECT_TRUE(IsWindowEnabled(d.BDetenerProceso.Handle()));
    EXPECT_TRUE(IsWindowEnabled(d.BSalir.Handle()));
    EXPECT_EQ(d.GBarraDeAvance.MaxValue(), 0);
    EXPECT_EQ(d.GBarraDeAvance.ForeColor(), kLime);
    EXPECT_FALSE(d.ContinuarProceso());
    // The three strips are stacked from the top; the bar sits inside the statistics.
    EXPECT_EQ(d.GBTiempos.GetBounds().top, Scaled(89));
    EXPECT_EQ(d.PInferior.GetBounds().top, Scaled(149));
    EXPECT_EQ(d.PInferior1.GetBounds().top, Scaled(41));
}

// The bar's colour and percentage after each finished item, for the counts the colour rule treats
// differently. finish 0 is ItemActualTerminado; n > 0 is EmpleadoActualTerminado(n).
TEST_F(DialogTest, ColourStepsPerFinishedItem) {
    struct Step {
        int finish;
        int percent;
        COLORREF colour;
    };
    struct Case {
        const char* name;
        int count;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"one item", 1, {{0, 100, RGB(0, 0, 0)}}},
        {"two items", 2, {{0, 50, RGB(255, 255, 0)}, {0, 100, RGB(255, 0, 0)}}},
        {"three items", 3, {{0, 33, RGB(170, 255, 0)}, {0, 66, RGB(170, 85, 0)}, {0, 100, RGB(170, 0, 0)}}},
        {"four items",
         4,
         {{0, 25, RGB(127, 255, 0)},
          {0, 50, RGB(255, 255, 0)},
          {0, 75, RGB(255, 127, 0)},
          {0, 100, RGB(255, 0, 0)}}},
        {"more items than the count",
         3,
         {{0, 33, RGB(170, 255, 0)},
          {0, 66, RGB(170, 85, 0)},
          {0, 100, RGB(170, 0, 0)},
          {0, 100, RGB(170, 0, 0)}}},
        {"ten items",
         10,
         {{0, 10, RGB(51, 255, 0)},
          {0, 20, RGB(102, 255, 0)},
          {0, 30, RGB(153, 255, 0)},
          {0, 40, RGB(204, 255, 0)},
          {0, 50, RGB(255, 255, 0)},
          {0, 60, RGB(255, 204, 0)},
          {0, 70, RGB(255, 153, 0)},
          {0, 80, RGB(255, 102, 0)},
          {0, 90, RGB(255, 51, 0)},
          {0, 100, RGB(255, 0, 0)}}},
        {"ten items finished at once, then more",
         10,
         {{10, 100, RGB(0, 204, 0)},
          {0, 100, RGB(0, 153, 0)},
          {0, 100, RGB(0, 102, 0)},
          {0, 100, RGB(0, 51, 0)},
          {0, 100, RGB(0, 0, 0)},
          {0, 100, RGB(0, 0, 0)}}},
        {"an absolute item number back and beyond",
         4,
         {{3, 75, RGB(0, 127, 0)}, {1, 25, RGB(127, 127, 0)}, {9, 100, RGB(127, 0, 0)}}},
    };
    TFrmInfoP50& d = Dialog();
    for (const Case& c : cases) {
        d.Inicializar(c.count, true);
        EXPECT_EQ(d.GBarraDeAvance.ForeColor(), kLime) << c.name;
        EXPECT_EQ(d.GBarraDeAvance.PercentDone(), 0) << c.name;
        int step = 0;
        for (const Step& s : c.steps) {
            ++step;
            d.NombreItemActual(L"item");
            if (s.finish == 0)
                d.ItemActualTerminado();
            else
                d.EmpleadoActualTerminado(s.finish);
            EXPECT_EQ(d.GBarraDeAvance.PercentDone(), s.percent) << c.name << ", step " << step;
            EXPECT_EQ(d.GBarraDeAvance.ForeColor(), s.colour)
                << c.name << ", step " << step << ": " << std::hex << d.GBarraDeAvance.ForeColor();
        }
        EXPECT_LE(d.GBarraDeAvance.Progress(), c.count) << c.name;
        d.Finalizar();
        EXPECT_EQ(d.GBarraDeAvance.ForeColor(), kBlue) << c.name;
        EXPECT_EQ(d.GBarraDeAvance.PercentDone(), c.steps.back().percent) << c.name;
    }
}

TEST_F(DialogTest, CounterAndTimeTextsFollowTheClock) {
    TFrmInfoP50& d = Dialog();
    d.Inicializar(12, true);
    EXPECT_EQ(Shown(d.LItemActual), L"0 de 12");
    EXPECT_EQ(Shown(d.LUltimoTiempo), L"00m:00s:00ms");
    EXPECT_EQ(Shown(d.LTiempoTranscurrido), L"0h:00m:00s");
    EXPECT_EQ(Shown(d.LNumeroDeErroresProducidos), L"0");
    Advance(0, 0, 30, 0); // the run's time counts from its first item, not from Inicializar

    d.NombreItemActual(L"primero");
    EXPECT_EQ(Shown(d.LNombreItemActual), L"primero");
    EXPECT_EQ(Shown(d.LItemActual), L"1 de 12");
    Advance(0, 0, 4, 62);
    d.ItemActualTerminado();
    EXPECT_EQ(Shown(d.LUltimoTiempo), L"0m:4s:62ms");
    EXPECT_EQ(Shown(d.LTiempoTranscurrido), L"0h:00m:04s");
    EXPECT_EQ(Shown(d.LItemActual), L"1 de 12") << "finishing an item moved the counter";

    d.NombreItemActual(L"segundo");
    Advance(1, 2, 3, 0);
    d.ItemActualTerminado();
    EXPECT_EQ(Shown(d.LUltimoTiempo), L"2m:3s:0ms") << "whole hours are not shown";
    EXPECT_EQ(Shown(d.LTiempoTranscurrido), L"1h:02m:07s");

    d.NombreItemActual(L"tercero", 3);
    Advance(0, 3, 2, 0);
    d.Finalizar();
    EXPECT_EQ(Shown(d.LTiempoTranscurrido), L"1h:05m:09s");
    EXPECT_EQ(Shown(d.LUltimoTiempo), L"2m:3s:0ms") << "Finalizar changed the last item's time";

    d.NombreItemActual(L"cuarto", 7);
    EXPECT_EQ(Shown(d.LItemActual), L"7 de 12");
    d.NombreItemActual(L"fuera de cuenta", 40);
    EXPECT_EQ(Shown(d.LItemActual), L"40 de 12");
    Advance(25, 0, 0, 0);
    d.ItemActualTerminado();
    EXPECT_EQ(Shown(d.LTiempoTranscurrido), L"2h:05m:09s") << "whole days are dropped";
}

TEST_F(DialogTest, TimeTextsRoundToTheNearestMillisecondAndKeepOneDay) {
    struct Case {
        double ms;
        const wchar_t* last;
        const wchar_t* elapsed;
    };
    const Case cases[] = {
        {4062.0, L"0m:4s:62ms", L"0h:00m:04s"},
        {4061.6, L"0m:4s:62ms", L"0h:00m:04s"},
        {4062.4, L"0m:4s:62ms", L"0h:00m:04s"},
        {-4062.0, L"0m:4s:62ms", L"0h:00m:04s"}, // a clock set back: its magnitude
        // Exact halves (1/2048 and 3/2048 of a day) go to the even neighbour, whatever their sign.
        {42187.5, L"0m:42s:188ms", L"0h:00m:42s"},
        {126562.5, L"2m:6s:562ms", L"0h:02m:06s"},
        {-126562.5, L"2m:6s:562ms", L"0h:02m:06s"},
        {59999.6, L"1m:0s:0ms", L"0h:01m:00s"},
        {3723000.0, L"2m:3s:0ms", L"1h:02m:03s"},
        {86399999.0, L"59m:59s:999ms", L"23h:59m:59s"},
        {86400000.0 + 3909000.0, L"5m:9s:0ms", L"1h:05m:09s"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LastItemTimeText(c.ms / kMillisecondsPerDay), c.last) << c.ms;
        EXPECT_EQ(ElapsedTimeText(c.ms / kMillisecondsPerDay), c.elapsed) << c.ms;
    }
}

TEST_F(DialogTest, EmployeesAreNamedByTheirWholeIdentification) {
    struct Case {
        long double id;
        const wchar_t* text;
    };
    const Case cases[] = {{123.5L, L"124   Ana"},
                          {-123.5L, L"-124   Ana"},
                          {7.49L, L"7   Ana"},
                          {0.0L, L"0   Ana"},
                          {1e20L, L"100000000000000000000   Ana"}};
    TFrmInfoP50& d = Dialog();
    d.Inicializar(5, true);
    for (const Case& c : cases) {
        d.EmpleadoActual(c.id, L"Ana");
        EXPECT_EQ(Shown(d.LNombreItemActual), c.text);
    }
    EXPECT_EQ(Shown(d.LItemActual), L"5 de 5");
    d.EmpleadoActual(42, L"Luis", 3);
    EXPECT_EQ(Shown(d.LNombreItemActual), L"42   Luis");
    EXPECT_EQ(Shown(d.LItemActual), L"3 de 5");
}

TEST_F(DialogTest, ACountOfZeroFailsAfterResettingButBeforeShowing) {
    TFrmInfoP50& d = Dialog();
    try {
        d.Inicializar(0, true);
        FAIL() << "a count of 0 was accepted";
    } catch (const EZeroDivide& e) {
        EXPECT_EQ(e.Message(), L"Floating point division by zero");
    }
    EXPECT_EQ(Shown(d.LItemActual), L"0 de 0");
    EXPECT_EQ(Shown(d.LUltimoTiempo), L"00m:00s:00ms");
    EXPECT_EQ(Shown(d.LMensajeDelProceso), L"");
    EXPECT_FALSE(IsWindowEnabled(d.BSalir.Handle()));
    EXPECT_TRUE(d.ContinuarProceso());
    EXPECT_EQ(d.GBarraDeAvance.MaxValue(), 0);
    EXPECT_EQ(d.GBarraDeAvance.ForeColor(), kLime);
    EXPECT_FALSE(IsWindowVisible(d.Handle())) << "the window was shown";
}

TEST_F(DialogTest, ACountOfZeroResetsADialogThatHasRunThenFails) {
    // A run that leaves something behind at every step of the reset: texts, error count, times,
    // buttons, the stop flag, the bar's maximum, progress and colour.
    TFrmInfoP50& d = Dialog();
    d.Inicializar(2, true);
    d.NombreItemActual(L"uno");
    d.UltimoError(L"falló");
    Advance(0, 0, 4, 62);
    d.ItemActualTerminado();
    d.BDetenerProcesoClick(d.BDetenerProceso);
    d.Finalizar();
    ASSERT_EQ(Shown(d.LItemActual), L"1 de 2");
    ASSERT_EQ(Shown(d.LNumeroDeErroresProducidos), L"1");
    ASSERT_EQ(Shown(d.LUltimoTiempo), L"0m:4s:62ms");
    ASSERT_EQ(Shown(d.LMensajeDelProceso), L"DETENIENDO EL PROCESO...");
    ASSERT_EQ(d.GBarraDeAvance.ForeColor(), kBlue);
    ASSERT_TRUE(IsWindowEnabled(d.BSalir.Handle()));

    EXPECT_THROW(d.Inicializar(0, true), EZeroDivide);
    EXPECT_EQ(Shown(d.LNombreItemActual), L"");
    EXPECT_EQ(Shown(d.LItemActual), L"0 de 0");
    EXPECT_EQ(Shown(d.LNumeroDeErroresProducidos), L"0");
    EXPECT_EQ(Shown(d.LUltimoError), L"");
    EXPECT_EQ(Shown(d.LUltimoTiempo), L"00m:00s:00ms");
    EXPECT_EQ(Shown(d.LTiempoTranscurrido), L"0h:00m:00s");
    EXPECT_TRUE(d.ContinuarProceso());
    EXPECT_EQ(Shown(d.LMensajeDelProceso), L"")
        << "the message line was not cleared once the stop was undone";
    EXPECT_FALSE(IsWindowEnabled(d.BSalir.Handle()));
    EXPECT_TRUE(IsWindowEnabled(d.BDetenerProceso.Handle()));
    EXPECT_EQ(d.GBarraDeAvance.MaxValue(), 0);
    EXPECT_EQ(d.GBarraDeAvance.Progress(), 0);
    EXPECT_EQ(d.GBarraDeAvance.ForeColor(), kLime);
    EXPECT_TRUE(IsWindowVisible(d.Handle())) << "a window already shown stays shown";
}

TEST_F(DialogTest, ANegativeCountIsRefusedByTheBarAndLeavesTheBarAsItWas) {
    TFrmInfoP50& d = Dialog();
    d.Inicializar(2, true);
    d.NombreItemActual(L"a");
    d.ItemActualTerminado();
    d.NombreItemActual(L"b");
    d.ItemActualTerminado();
    d.UltimoError(L"falló");
    ASSERT_EQ(d.GBarraDeAvance.ForeColor(), RGB(255, 0, 0));
    try {
        d.Inicializar(-5, true);
        FAIL() << "a negative count was accepted";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), L"Value must be between 1 and 2147483647");
    }
    EXPECT_EQ(Shown(d.LItemActual), L"0 de -5");
    EXPECT_EQ(Shown(d.LNumeroDeErroresProducidos), L"0");
    EXPECT_EQ(Shown(d.LUltimoError), L"");
    EXPECT_EQ(d.GBarraDeAvance.MaxValue(), 2);
    EXPECT_EQ(d.GBarraDeAvance.Progress(), 2);
    EXPECT_EQ(d.GBarraDeAvance.ForeColor(), RGB(255, 0, 0)) << "the colour was reset";
}

TEST_F(DialogTest, FinishingAnItemBeforeAnyRunFailsAtTheColourStep) {
    TFrmInfoP50& d = Dialog();
    try {
        d.ItemActualTerminado();
        FAIL() << "0 / 0 was accepted";
    } catch (const EInvalidOp& e) {
        EXPECT_EQ(e.Message(), L"Invalid floating point operation");
    }
    EXPECT_NE(Shown(d.LUltimoTiempo), L"LUltimoTiempo");
    EXPECT_NE(Shown(d.LTiempoTranscurrido), L"LTiempoTranscurrido");
    EXPECT_EQ(d.GBarraDeAvance.Progress(), 0);
    EXPECT_EQ(d.GBarraDeAvance.ForeColor(), kLime);
    EXPECT_THROW(d.EmpleadoActualTerminado(3), EInvalidOp);
    EXPECT_EQ(d.GBarraDeAvance.Progress(), 0);
}

TEST_F(DialogTest, MessagesPassOnlyWhileNoStopIsRequested) {
    TFrmInfoP50& d = Dialog();
    d.MensajeDelProceso(L"antes de empezar");
    EXPECT_EQ(Shown(d.LMensajeDelProceso), L"LMensajeDelProceso");

    d.Inicializar(3, true);
    d.MensajeDelProceso(L"Importando");
    EXPECT_EQ(Shown(d.LMensajeDelProceso), L"Importando");
    d.BDetenerProcesoClick(d.BDetenerProceso);
    EXPECT_FALSE(d.ContinuarProceso());
    EXPECT_EQ(Shown(d.LMensajeDelProceso), L"DETENIENDO EL PROCESO...");
    EXPECT_TRUE(IsWindowEnabled(d.BDetenerProceso.Handle()));
    d.MensajeDelProceso(L"otra cosa");
    d.Finalizar();
    EXPECT_EQ(Shown(d.LMensajeDelProceso), L"DETENIENDO EL PROCESO...");
    EXPECT_TRUE(IsWindowEnabled(d.BSalir.Handle()));
    EXPECT_FALSE(IsWindowEnabled(d.BDetenerProceso.Handle()));
    EXPECT_EQ(d.GBarraDeAvance.ForeColor(), kBlue);

    d.SetContinuarProceso(true);
    d.Finalizar();
    EXPECT_EQ(Shown(d.LMensajeDelProceso), L"PROCESO TERMINADO");
}

TEST_F(DialogTest, AFirstInicializarWithoutResetKeepsTheCreatedState) {
    TFrmInfoP50& d = Dialog();
    d.Inicializar(4, false);
    EXPECT_TRUE(IsWindowVisible(d.Handle()));
    EXPECT_EQ(Shown(d.LItemActual), L"0 de 4");
    EXPECT_EQ(Shown(d.LUltimoError), L"LUltimoError");
    EXPECT_EQ(Shown(d.LNumeroDeErroresProducidos), L"LNumeroDeErroresProducidos");
    EXPECT_EQ(Shown(d.LUltimoTiempo), L"LUltimoTiempo");
    EXPECT_EQ(Shown(d.LTiempoTranscurrido), L"LTiempoTranscurrido");
    EXPECT_EQ(Shown(d.LMensajeDelProceso), L"LMensajeDelProceso");
    EXPECT_TRUE(IsWindowEnabled(d.BSalir.Handle()));
    EXPECT_FALSE(d.ContinuarProceso());
    d.MensajeDelProceso(L"ignorado");
    EXPECT_EQ(Shown(d.LMensajeDelProceso), L"LMensajeDelProceso");
    // The run's time started with the call itself.
    Advance(0, 0, 10, 0);
    d.NombreItemActual(L"a");
    Advance(0, 0, 5, 0);
    d.ItemActualTerminado();
    EXPECT_EQ(Shown(d.LTiempoTranscurrido), L"0h:00m:15s");
}

TEST_F(DialogTest, AFurtherPhaseCarriesTheStatisticsOver) {
    TFrmInfoP50& d = Dialog();
    d.Inicializar(2, true);
    Advance(0, 0, 1, 0);
    d.NombreItemActual(L"a");
    d.UltimoError(L"falta");
    Advance(0, 0, 2, 0);
    d.ItemActualTerminado();
    d.BDetenerProcesoClick(d.BDetenerProceso);

    d.Inicializar(5, false);
    EXPECT_EQ(Shown(d.LItemActual), L"0 de 5");
    EXPECT_EQ(Shown(d.LNumeroDeErroresProducidos), L"1");
    EXPECT_EQ(Shown(d.LUltimoError), L"a: falta");
    EXPECT_EQ(Shown(d.LUltimoTiempo), L"0m:2s:0ms");
    EXPECT_EQ(Shown(d.LMensajeDelProceso), L"DETENIENDO EL PROCESO...");
    EXPECT_FALSE(d.ContinuarProceso());
    EXPECT_FALSE(IsWindowEnabled(d.BSalir.Handle()));
    EXPECT_EQ(d.GBarraDeAvance.MaxValue(), 5);
    EXPECT_EQ(d.GBarraDeAvance.Progress(), 0);
    EXPECT_EQ(d.GBarraDeAvance.ForeColor(), kLime);
    Advance(0, 0, 3, 0);
    d.NombreItemActual(L"b");
    d.ItemActualTerminado();
    EXPECT_EQ(Shown(d.LTiempoTranscurrido), L"0h:00m:05s") << "the run's start was not carried over";
    EXPECT_EQ(d.GBarraDeAvance.ForeColor(), RGB(102, 255, 0));
}

TEST_F(DialogTest, ErrorsNameTheCurrentItemAndAreCounted) {
    TFrmInfoP50& d = Dialog();
    d.Inicializar(3, true);
    d.NombreItemActual(L"Zentor7");
    d.UltimoError(L"no existe");
    EXPECT_EQ(Shown(d.LUltimoError), L"Zentor7: no existe");
    EXPECT_EQ(Shown(d.LNumeroDeErroresProducidos), L"1");
    d.NombreItemActual(L"Nominas");
    d.UltimoError(L"sin servidor");
    EXPECT_EQ(Shown(d.LUltimoError), L"Nominas: sin servidor");
    EXPECT_EQ(Shown(d.LNumeroDeErroresProducidos), L"2");
    d.UltimoError(L"");
    EXPECT_EQ(Shown(d.LUltimoError), L"");
    EXPECT_EQ(Shown(d.LNumeroDeErroresProducidos), L"2");
}

TEST_F(DialogTest, FoldingTakesTheDetailsAwayAndGivesThemBackAcrossInicializar) {
    TFrmInfoP50& d = Dialog();
    d.Inicializar(3, true);
    const int outer = NativeHeight(d);
    ASSERT_EQ(NativeHeight(d.GBTiempos), Scaled(60));

    d.SBVerDetallesClick(d.SBVerDetalles);
    EXPECT_EQ(NativeHeight(d), outer - Scaled(115));
    EXPECT_EQ(NativeHeight(d.GBTiempos), Scaled(34));
    EXPECT_FALSE(StyleVisible(d.PSuperior));
    EXPECT_FALSE(StyleVisible(d.PSuperior1));
    EXPECT_TRUE(StyleVisible(d.GBarraDeAvance));
    EXPECT_TRUE(StyleVisible(d.BSalir));
    EXPECT_EQ(d.GBTiempos.GetBounds().top, 0);
    EXPECT_EQ(d.PInferior1.GetBounds().top, Scaled(15));
    EXPECT_EQ(d.PInferior.GetBounds().top, Scaled(34));
    EXPECT_EQ(Shown(d.SBVerDetalles), L"&Ver Detalles");

    d.Inicializar(4, true);
    EXPECT_EQ(NativeHeight(d), outer - Scaled(115)) << "Inicializar unfolded the details";
    EXPECT_FALSE(StyleVisible(d.PSuperior));

    d.SBVerDetallesClick(d.SBVerDetalles);
    EXPECT_EQ(NativeHeight(d), outer);
    EXPECT_EQ(NativeHeight(d.GBTiempos), Scaled(60));
    EXPECT_TRUE(StyleVisible(d.PSuperior));
    EXPECT_TRUE(StyleVisible(d.PSuperior1));
    EXPECT_EQ(d.GBTiempos.GetBounds().top, Scaled(89));
    EXPECT_EQ(d.PInferior1.GetBounds().top, Scaled(41));
    EXPECT_EQ(d.PInferior.GetBounds().top, Scaled(149));
}

TEST_F(DialogTest, ClosingOnlyHidesAndInicializarShowsAgain) {
    TFrmInfoP50& d = Dialog();
    d.Inicializar(3, true);
    d.Finalizar();
    d.BSalirClick(d.BSalir);
    EXPECT_FALSE(IsWindowVisible(d.Handle()));
    EXPECT_TRUE(IsWindow(d.Handle()));
    d.NombreItemActual(L"oculto");
    EXPECT_EQ(Shown(d.LNombreItemActual), L"oculto");
    d.Inicializar(2, true);
    EXPECT_TRUE(IsWindowVisible(d.Handle()));
    EXPECT_TRUE(d.ContinuarProceso());
}

TEST_F(DialogTest, TheBarOnTheScreenMatchesItsState) {
    TFrmInfoP50& d = Dialog();
    d.Inicializar(4, true);
    d.NombreItemActual(L"a");
    d.ItemActualTerminado();
    d.NombreItemActual(L"b");
    d.ItemActualTerminado(); // 50%, yellow
    const int width = d.GBarraDeAvance.GetBounds().width;
    ASSERT_EQ(width, Scaled(493));
    const int filled = (width + 1) * 50 / 100;
    Pixels pixels;
    ASSERT_TRUE(WaitFor(
        [&] {
            pixels = Capture(d.GBarraDeAvance.Handle());
            return pixels.width == width && pixels.At(0, 0) == RGB(255, 255, 0) &&
                   pixels.At(width - 1, 0) == RGB(255, 255, 255);
        },
        "the half-filled bar on the screen"));
    for (int x = 0; x < width; x += 7) {
        const COLORREF base = x < filled ? RGB(255, 255, 0) : RGB(255, 255, 255);
        ASSERT_TRUE(pixels.At(x, 0) == base || pixels.At(x, 0) == (base ^ 0xFFFFFF)) << "column " << x;
    }
    int blueText = 0;
    int blackText = 0;
    for (COLORREF c : pixels.colours) {
        blueText += c == RGB(0, 0, 255) ? 1 : 0;
        blackText += c == RGB(0, 0, 0) ? 1 : 0;
    }
    // "50%" straddles the edge of the filled part: inverted yellow on the left, inverted white on the right.
    EXPECT_GT(blueText, 5);
    EXPECT_GT(blackText, 5);
}

} // namespace
} // namespace zt::progress::test
