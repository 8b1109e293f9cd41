#pragma once
// What the report window shows, taken from the call's arguments.
#include "interfaces/ZtErrorApi.h"

#include <string>

namespace zt::errordisplay {

struct ReportContent {
    std::wstring title;
    std::wstring heading; // the meaning of the report kind
    std::wstring classLine;
    std::wstring message;
    std::wstring details; // the system's or the engine's codes, when the error carries them
};

// An unknown report kind reads as "X".
std::wstring KindHeading(std::wstring_view kind);

ReportContent ReportContentOf(BSTR title, BSTR kind, const ZtErrorObject* error);

} // namespace zt::errordisplay
