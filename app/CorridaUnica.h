#pragma once
// One run at a time per workstation: a run, by the window or from the command line, holds a
// machine-wide named mutex from its start to its end, so two runs never write the file together.
#include <windows.h>

inline constexpr const wchar_t* kNombreCorridaUnica = L"Global\\ZtGnImcon.Importar";
inline constexpr const wchar_t* kMensajeCorridaEnCurso =
    L"Ya hay una importación en curso en esta estación de trabajo. Espere a que termine y vuelva a "
    L"intentarlo.";

class TCorridaUnica {
public:
    // Takes the mutex without waiting; Tomada() says whether it is this run's now.
    TCorridaUnica();
    ~TCorridaUnica();
    TCorridaUnica(const TCorridaUnica&) = delete;
    TCorridaUnica& operator=(const TCorridaUnica&) = delete;

    bool Tomada() const { return tomada_; }

private:
    HANDLE mutex_ = nullptr;
    bool tomada_ = false;
};
