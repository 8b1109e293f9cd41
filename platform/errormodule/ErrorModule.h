#pragma once
// Hands an error to the external error-display module ZtError.dll, which shows it.
#include "runtime/Exceptions.h"

#include <functional>
#include <string>
#include <windows.h>

namespace zt {

// What a report needs from the application, asked for at the moment of each call.
struct ErrorReportSource {
    std::function<HWND()> ownerWindow;
    std::function<std::wstring()> title;
};

// Reports one error: loads the module by its bare name, calls "PGnMostrarError" with the report
// kind ("R" out of resources, "C" conversion, "X" any other) and releases the module on every path.
// Without the module or its entry point nothing is reported. An out-of-memory error (other than
// out of resources) is not reported: the process's single EOutOfMemory ("Out of memory") is raised
// instead, without allocating. A failure
// that the module signals leaves as an Exception with its text.
void ReportToErrorModule(const Exception& error, const ErrorReportSource& source);

} // namespace zt
