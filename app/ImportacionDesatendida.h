#pragma once
// The program started with arguments: the usage box for /?, otherwise a run without any window and
// without the error module, its events logged and its outcome in the exit code (app/CodigosDeSalida.h).
#include "app/GeneracionConexiones.h"
#include "app/LineaDeComandos.h"

#include <string>
#include <vector>

// Runs what the arguments ask for and returns the exit code. Nothing escapes: an unattended run must
// end by itself, whatever happens.
int EjecutarConArgumentos(const std::vector<std::wstring>& pArgumentos) noexcept;

// The settings that /servidor and /basedatos impose, as ticking "Asignar nuevos parámetros" and
// typing them would: the override is on when either is given, and always with PostgreSQL; ORACLE
// takes no server.
TAjustesDeSeccion AjustesDesatendidos(int pMotor, const TLineaDeComandos& pLinea);
