// The main window's creation handler: error handler first, then the caption, then alias discovery.
#include "app/UGnImcon.h"
#include "ui/Application.h"
#include "versioninfo/VersionInfo.h"

#include <vector>
#include <windows.h>

namespace {

std::wstring ExecutablePath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            zt::RaiseLastOSError();
        if (length < buffer.size())
            return std::wstring(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace

void TFrmGnImcon::FormCreate(zt::ui::Control&) {
    zt::ui::Application::Instance().SetOnException(
        [this](void* Sender, const zt::Exception& E) { AppException(Sender, E); });
    MostrarVersionEnTitulo();
    CargarAliasBDE();
}

void TFrmGnImcon::MostrarVersionEnTitulo() {
    TEXEVersionData data;
    ReadEXEVersionData(ExecutablePath(), data);
    SetText(L"GESTIÓN GENERAL - Importar Conexiones BDE a Alvenor (" + data.FileVersion + L")");
}
