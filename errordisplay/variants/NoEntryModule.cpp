// A ZtError.dll for tests that lacks the entry point the program looks for.
#include <windows.h>

extern "C" void WINAPI PGnMostrarErrorAntiguo() {}
