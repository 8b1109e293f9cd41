#pragma once
// The generation of the connections file, shared by the window and the unattended run: one section
// per ticked alias, built in memory and saved in one piece. Where the aliases and settings come from,
// and how the progress is shown, is up to the caller.
#include <cstddef>
#include <string>

inline constexpr const wchar_t* kArchivoConexiones = L"C:\\zentor\\version\\Conexiones.ini";

// What shapes every section: the engine index and the override of server and database.
struct TAjustesDeSeccion {
    int motor = -1;
    bool nuevosParametros = false;
    std::wstring servidor;  // untrimmed, as typed or given
    std::wstring baseDatos; // untrimmed
};

// The listed aliases with their tick marks and the settings; read afresh for each alias, at the moment
// it is written.
class TSeleccionDeAlias {
public:
    virtual std::size_t Cantidad() const = 0;
    virtual bool Marcado(std::size_t pIndice) const = 0;
    virtual std::wstring Nombre(std::size_t pIndice) const = 0;
    virtual TAjustesDeSeccion Ajustes() const = 0;

protected:
    ~TSeleccionDeAlias() = default;
};

// How a run reports its progress: the progress dialog, or the log.
class TAvanceDeImportacion {
public:
    virtual void Inicializar(int pCantidadDeRegistros) = 0;
    virtual void MensajeDelProceso(const std::wstring& Value) = 0;
    // Announces the next ticked alias; the window handles pending messages here.
    virtual void NombreItemActual(const std::wstring& Value) = 0;
    virtual void ItemActualTerminado() = 0;

protected:
    ~TAvanceDeImportacion() = default;
};

// Writes kArchivoConexiones. The file is replaced only by a complete run: an error (an alias whose
// parameters cannot be read, a file that cannot be created or written) leaves the old file as it was.
void GenerarConexiones(const TSeleccionDeAlias& pSeleccion, TAvanceDeImportacion& pAvance);
