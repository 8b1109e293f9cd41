#pragma once
// The exit codes of an unattended run (/importar): 0 only when the file was written, one code for
// each kind of failure. The window's own run ends with 0 once the window is closed.
inline constexpr int kSalidaArchivoGenerado = 0;
// Unknown or malformed switches, /? (the usage shown, nothing imported), or a log that cannot be opened.
inline constexpr int kSalidaLineaDeComandos = 2;
// The database engine was not found or did not start, or could not list its aliases.
inline constexpr int kSalidaMotor = 3;
// The checks refused the run: no alias Zentor7, a server or database that the engine needs missing.
inline constexpr int kSalidaRechazada = 4;
// The file was not written and an earlier one stays as it was (it cannot be created or replaced, an
// alias cannot be read, any other failure).
inline constexpr int kSalidaArchivoNoEscrito = 5;
// Another run is under way on this workstation.
inline constexpr int kSalidaCorridaEnCurso = 6;
