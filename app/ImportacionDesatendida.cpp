#include "app/ImportacionDesatendida.h"

#include "app/CodigosDeSalida.h"
#include "app/Comprobaciones.h"
#include "app/CorridaUnica.h"
#include "app/Descubrimiento.h"
#include "app/Motores.h"
#include "app/Registro.h"
#include "runtime/CodePages.h"
#include "runtime/Exceptions.h"
#include "runtime/ExecutableFileName.h"
#include "runtime/Format.h"
#include "ui/MessageBox.h"
#include "versioninfo/VersionInfo.h"

#include <exception>
#include <new>
#include <typeinfo>

namespace {

// Which part of the run a failure interrupts decides its exit code.
enum class TFase { Motor, Preparacion, Generacion };

const wchar_t* NombreDelMotor(int motor) {
    switch (motor) {
    case kMotorSqlServer:
        return L"SQL Server";
    case kMotorOracle:
        return L"ORACLE";
    case kMotorPostgreSql:
        return L"PostgreSQL";
    default:
        return L"ninguno";
    }
}

// The engine library that the session loaded, by the name the catalogue loads it by.
std::wstring BibliotecaDelMotor() {
    const HMODULE modulo = GetModuleHandleW(L"IDAPI32.DLL");
    wchar_t ruta[MAX_PATH] = {};
    if (modulo == nullptr || GetModuleFileNameW(modulo, ruta, MAX_PATH) == 0)
        return L"IDAPI32.DLL";
    return ruta;
}

class TDescubrimientoEnRegistro final : public TDestinoDelDescubrimiento {
public:
    TDescubrimientoEnRegistro(TRegistro& pRegistro, TFase& pFase) : registro_(pRegistro), fase_(pFase) {}

    void AliasLeidos(std::size_t pCantidad) override {
        fase_ = TFase::Preparacion;
        registro_.Escribir(L"Motor de base de datos encontrado: " + BibliotecaDelMotor() + L" (" +
                           zt::IntToStr(static_cast<long long>(pCantidad)) + L" alias en el catálogo)");
    }
    void MotorDetectado(int pMotor, const std::wstring& pDriver) override {
        motor_ = pMotor;
        registro_.Escribir(std::wstring(L"Motor detectado: ") + NombreDelMotor(pMotor) +
                           L" (tipo de controlador de Zentor7: " + pDriver + L")");
    }
    void AliasEncontrado(const std::wstring& pAlias) override { alias_.push_back(pAlias); }

    int Motor() const { return motor_; }
    const std::vector<std::wstring>& Alias() const { return alias_; }

private:
    TRegistro& registro_;
    TFase& fase_;
    int motor_ = -1;
    std::vector<std::wstring> alias_;
};

// Every alias found, ticked, with settings fixed for the whole run.
class TSeleccionFija final : public TSeleccionDeAlias {
public:
    TSeleccionFija(const std::vector<std::wstring>& pAlias, TAjustesDeSeccion pAjustes)
        : alias_(pAlias), ajustes_(std::move(pAjustes)) {}

    std::size_t Cantidad() const override { return alias_.size(); }
    bool Marcado(std::size_t) const override { return true; }
    std::wstring Nombre(std::size_t pIndice) const override { return alias_[pIndice]; }
    TAjustesDeSeccion Ajustes() const override { return ajustes_; }

private:
    const std::vector<std::wstring>& alias_;
    const TAjustesDeSeccion ajustes_;
};

// The progress dialog's texts, as log lines.
class TAvanceEnRegistro final : public TAvanceDeImportacion {
public:
    explicit TAvanceEnRegistro(TRegistro& pRegistro) : registro_(pRegistro) {}

    void Inicializar(int) override {}
    void MensajeDelProceso(const std::wstring& Value) override { registro_.Escribir(Value); }
    void NombreItemActual(const std::wstring& Value) override { registro_.Escribir(Value); }
    void ItemActualTerminado() override {}

private:
    TRegistro& registro_;
};

// The error's message as the window's error handler would have been handed it.
std::wstring MensajeDelError(std::exception_ptr pError) {
    try {
        std::rethrow_exception(pError);
    } catch (const zt::Exception& e) {
        return e.Message();
    } catch (const std::bad_alloc&) {
        return zt::kOutOfMemoryMessage;
    } catch (const std::exception& e) {
        return zt::FromAnsi(e.what());
    } catch (...) {
        return L"Error desconocido";
    }
}

int CodigoDelError(TFase pFase, std::exception_ptr pError) {
    if (pFase == TFase::Motor)
        return kSalidaMotor;
    if (pFase == TFase::Generacion)
        return kSalidaArchivoNoEscrito;
    // Before the generation only the refusals (no Zentor7, the checks) are plain errors; the
    // catalogue's own errors are database errors.
    try {
        std::rethrow_exception(pError);
    } catch (const zt::Exception& e) {
        return typeid(e) == typeid(zt::Exception) ? kSalidaRechazada : kSalidaArchivoNoEscrito;
    } catch (...) {
        return kSalidaArchivoNoEscrito;
    }
}

void RegistrarAjustes(TRegistro& pRegistro, const TAjustesDeSeccion& pAjustes,
                      const TLineaDeComandos& pLinea) {
    if (pAjustes.motor == kMotorOracle && pLinea.servidor)
        pRegistro.Escribir(L"Con ORACLE no se asigna servidor: /servidor no se usa");
    if (!pAjustes.nuevosParametros)
        return;
    std::wstring texto = L"Nuevos parámetros:";
    if (pAjustes.motor != kMotorOracle)
        texto += L" servidor \"" + pAjustes.servidor + L"\",";
    pRegistro.Escribir(texto + L" base de datos \"" + pAjustes.baseDatos + L"\"");
}

int ImportarSinVentana(const TLineaDeComandos& pLinea, TRegistro& pRegistro) {
    const TCorridaUnica corrida;
    if (!corrida.Tomada()) {
        pRegistro.Escribir(std::wstring(L"Error: ") + kMensajeCorridaEnCurso);
        return kSalidaCorridaEnCurso;
    }
    TFase fase = TFase::Motor;
    try {
        TDescubrimientoEnRegistro descubrimiento(pRegistro, fase);
        DescubrirAlias(descubrimiento);
        pRegistro.Escribir(L"Alias a importar: " +
                           zt::IntToStr(static_cast<long long>(descubrimiento.Alias().size())));

        const TAjustesDeSeccion ajustes = AjustesDesatendidos(descubrimiento.Motor(), pLinea);
        RegistrarAjustes(pRegistro, ajustes, pLinea);
        if (const std::optional<TRechazo> rechazo =
                ComprobarDatos({.motor = ajustes.motor,
                                .nuevosParametros = ajustes.nuevosParametros,
                                .servidor = ajustes.servidor,
                                .baseDatos = ajustes.baseDatos,
                                .hayAliasMarcado = !descubrimiento.Alias().empty()}))
            throw zt::Exception(rechazo->mensaje);

        fase = TFase::Generacion;
        TAvanceEnRegistro avance(pRegistro);
        GenerarConexiones(TSeleccionFija(descubrimiento.Alias(), ajustes), avance);
    } catch (...) {
        const std::exception_ptr error = std::current_exception();
        pRegistro.Escribir(L"Error: " + MensajeDelError(error));
        return CodigoDelError(fase, error);
    }
    pRegistro.Escribir(std::wstring(L"Archivo de Conexiones generado en la ruta: ") + kArchivoConexiones);
    return kSalidaArchivoGenerado;
}

std::wstring Version() {
    try {
        zt::TEXEVersionData datos;
        zt::ReadEXEVersionData(zt::ExecutableFileName(), datos);
        return datos.FileVersion;
    } catch (const zt::Exception& e) {
        return L"(versión no disponible: " + e.Message() + L")";
    }
}

std::wstring NombreDelEquipo() {
    wchar_t nombre[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD largo = MAX_COMPUTERNAME_LENGTH + 1;
    return GetComputerNameW(nombre, &largo) ? std::wstring(nombre, largo) : std::wstring();
}

std::wstring ArgumentosComoTexto(const std::vector<std::wstring>& pArgumentos) {
    std::wstring texto;
    for (const std::wstring& argumento : pArgumentos) {
        if (!texto.empty())
            texto += L' ';
        const bool citar = argumento.empty() || argumento.find_first_of(L" \t") != std::wstring::npos;
        texto += citar ? L"\"" + argumento + L"\"" : argumento;
    }
    return texto;
}

int Ejecutar(const std::vector<std::wstring>& pArgumentos) {
    const TLineaDeComandos linea = AnalizarLineaDeComandos(pArgumentos);
    if (linea.modo == TModo::Ayuda) {
        zt::ui::ShowMessageBox(TextoDeUso(), L"Importar Conexiones BDE a Alvenor",
                               MB_OK | MB_ICONINFORMATION);
        return kSalidaLineaDeComandos;
    }

    TRegistro registro;
    const std::wstring inicio = L"Inicio: ZtGnImcon " + Version() + L" en " + NombreDelEquipo() +
                                L"; argumentos: " + ArgumentosComoTexto(pArgumentos);
    if (linea.registro) {
        try {
            registro.AbrirArchivo(*linea.registro);
        } catch (const zt::Exception& e) {
            registro.Escribir(inicio);
            registro.Escribir(L"Error: " + e.Message());
            registro.Escribir(L"Fin: código de salida " + zt::IntToStr(kSalidaLineaDeComandos));
            return kSalidaLineaDeComandos;
        }
    }
    registro.Escribir(inicio);
    int codigo = kSalidaLineaDeComandos;
    if (linea.modo == TModo::Incorrecta)
        registro.Escribir(L"Línea de comandos incorrecta: " + linea.error + L". Use /? para ver el uso.");
    else
        codigo = ImportarSinVentana(linea, registro);
    registro.Escribir(L"Fin: código de salida " + zt::IntToStr(codigo));
    return codigo;
}

} // namespace

TAjustesDeSeccion AjustesDesatendidos(int pMotor, const TLineaDeComandos& pLinea) {
    TAjustesDeSeccion ajustes;
    ajustes.motor = pMotor;
    ajustes.nuevosParametros = pMotor == kMotorPostgreSql || pLinea.servidor || pLinea.baseDatos;
    if (!ajustes.nuevosParametros)
        return ajustes;
    if (pMotor != kMotorOracle)
        ajustes.servidor = pLinea.servidor.value_or(L"");
    ajustes.baseDatos = pLinea.baseDatos.value_or(L"");
    return ajustes;
}

int EjecutarConArgumentos(const std::vector<std::wstring>& pArgumentos) noexcept {
    // No system box either: no "insert a disk", no crash dialog; a login script must not wait on one.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    try {
        return Ejecutar(pArgumentos);
    } catch (...) {
        return kSalidaArchivoNoEscrito; // the log could not even be written (out of memory)
    }
}
