// Program entry: initialise the application, name it, create the main window, run the event loop.
#include "app/UGnImcon.h"
#include "ui/Application.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return zt::ui::RunProgram([] {
        zt::ui::Application application;
        application.SetMainFormOnTaskBar(true);
        application.SetTitle(L"Importar Conexiones BDE a Alvenor");
        application.CreateForm(FrmGnImcon);
        application.Run();
        FrmGnImcon.reset();
    });
}
