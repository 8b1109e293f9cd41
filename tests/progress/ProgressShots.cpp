// Shows the progress dialog during a run, folded, and finished, pausing at each stage so that a
// script can take a screenshot: it writes <dir>\<stage>.ready and goes on once <dir>\<stage>.go exists.
#include "progress/UINFOP50.h"
#include "runtime/DateTime.h"
#include "ui/Application.h"
#include "ui/Form.h"

#include <fstream>
#include <string>
#include <windows.h>

namespace {

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Keeps the windows painted while the script looks; gives up after a minute.
bool Pause(zt::ui::Application& application, const std::wstring& dir, const wchar_t* stage) {
    application.ProcessMessages();
    std::ofstream((dir + L"\\" + stage + L".ready").c_str()).put('\n');
    const ULONGLONG deadline = GetTickCount64() + 60'000;
    while (!Exists(dir + L"\\" + stage + L".go")) {
        if (GetTickCount64() > deadline)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        application.ProcessMessages();
    }
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2)
        return 2;
    const std::wstring dir = argv[1];
    return zt::ui::RunProgram([&] {
        zt::ui::Application application;
        application.SetTitle(L"Importar Conexiones BDE a Alvenor");
        zt::ui::Form owner{zt::ui::FormStyle{L"ZtShotOwner"}};
        owner.SetClientSize(200, 100);
        FrmInfoP50 = std::make_unique<TFrmInfoP50>(owner);
        // A clock that moves on 1.37 s at every reading, so that the times show something.
        zt::DateTime now = zt::Now();
        FrmInfoP50->SetClock([&now] { return now += 1370.0 / zt::kMillisecondsPerDay; });

        const wchar_t* aliases[] = {L"Zentor7",       L"ZentorNominas", L"ZentorConta",  L"ZentorBancos",
                                    L"ZentorAlmacen", L"ZentorCompras", L"ZentorVentas", L"ZentorRRHH"};
        TFrmInfoP50& d = *FrmInfoP50;
        d.Inicializar(8, true);
        d.MensajeDelProceso(L"Generando el archivo de conexiones...");
        int next = 0;
        auto item = [&](bool finish) {
            d.NombreItemActual(aliases[next++]);
            if (next == 3)
                d.UltimoError(L"El alias no tiene servidor");
            if (finish)
                d.ItemActualTerminado();
        };
        for (int i = 0; i < 3; ++i)
            item(true);
        item(false);
        if (!Pause(application, dir, L"running"))
            return;
        d.SBVerDetallesClick(d.SBVerDetalles);
        if (!Pause(application, dir, L"folded"))
            return;
        d.SBVerDetallesClick(d.SBVerDetalles);
        d.ItemActualTerminado();
        while (next < 8)
            item(true);
        d.Finalizar();
        Pause(application, dir, L"finished");
        FrmInfoP50.reset();
    });
}
