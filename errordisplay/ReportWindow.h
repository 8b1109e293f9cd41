#pragma once
// The report window and its modal loop.
#include "errordisplay/ReportContent.h"

#include <windows.h>

namespace zt::errordisplay {

// Shows the report owned by owner (which may be null) and returns once it is closed. The owner is
// disabled meanwhile and gets the activation back afterwards. A WM_QUIT that arrives meanwhile
// closes the report and is posted again for the caller's loop. Leaves nothing registered or
// allocated behind.
void ShowReportModal(HWND owner, const ReportContent& content);

// The window class of the report, for whoever needs to find the window.
inline constexpr const wchar_t* kReportWindowClass = L"ZtErrorReportWindow";

} // namespace zt::errordisplay
