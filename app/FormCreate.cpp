// The main window's creation handler: error handler first, then the caption, then alias discovery.
#include "app/UGnImcon.h"
#include "runtime/ExecutableFileName.h"
#include "ui/Application.h"
#include "versioninfo/VersionInfo.h"

void TFrmGnImcon::FormCreate(zt::ui::Control&) {
    zt::ui::Application::Instance().SetOnException(
        [this](void* Sender, const zt::Exception& E) { AppException(Sender, E); });
    MostrarVersionEnTitulo();
    CargarAliasBDE();
}

void TFrmGnImcon::MostrarVersionEnTitulo() {
    zt::TEXEVersionData data;
    zt::ReadEXEVersionData(zt::ExecutableFileName(), data);
    SetText(L"GESTIÓN GENERAL - Importar Conexiones BDE a Alvenor (" + data.FileVersion + L")");
}
