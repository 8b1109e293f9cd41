#pragma once
// ZtOpenRecorder.exe stands in for the desktop's handler of ".ini" documents: every "open" that reaches
// it appends its command line to a log, so that a test sees what the shell was asked to open.
#include <string>

namespace zt::test {

// The log: the file named by ZT_OPEN_LOG, else ZtOpenRecorder.log beside the recorder. One line per
// call, the recorder's whole command line in UTF-8, ended by CR LF.
inline constexpr const wchar_t* kOpenLogVariable = L"ZT_OPEN_LOG";

// Makes the recorder the "open" handler of ".ini" files: ProgID "ZtOpenRecorder.ini" with the command
// "<recorderPath>" "%1", in HKCU\Software\Classes and, where allowed, HKLM\Software\Classes (Wine's
// classes root reads only the latter). Raises std::runtime_error when the user's classes refuse.
void RegisterOpenRecorder(const std::wstring& recorderPath);

} // namespace zt::test
