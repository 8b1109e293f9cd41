// Program entry: without arguments, initialise the application, name it, create the main window and
// run the event loop; with arguments, the unattended run (or the usage) instead.
#include "app/ImportacionDesatendida.h"
#include "app/UGnImcon.h"
#include "ui/Application.h"

#include <memory>
#include <string>
#include <vector>

#include <shellapi.h>
#include <windows.h>

namespace {

std::vector<std::wstring> ArgumentosDelPrograma() {
    int cantidad = 0;
    const std::unique_ptr<LPWSTR, decltype(&LocalFree)> argumentos(
        CommandLineToArgvW(GetCommandLineW(), &cantidad), &LocalFree);
    if (!argumentos)
        return {};
    // The first is the program itself.
    return std::vector<std::wstring>(argumentos.get() + (cantidad > 0 ? 1 : 0), argumentos.get() + cantidad);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::vector<std::wstring> argumentos = ArgumentosDelPrograma();
    if (!argumentos.empty())
        return EjecutarConArgumentos(argumentos);
    return zt::ui::RunProgram([] {
        zt::ui::Application application;
        application.SetMainFormOnTaskBar(true);
        application.SetTitle(L"Importar Conexiones BDE a Alvenor");
        application.CreateForm(FrmGnImcon);
        application.Run();
        FrmGnImcon.reset();
    });
}
