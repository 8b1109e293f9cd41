#pragma once
// A prepared workstation for the end-to-end tests: the utility in a folder of its own with the
// stand-in engine and its catalogue, the recording error module and the recording "open" handler.
#include "MainWindow.h"
#include "tests/support/ScratchFolder.h"

#include <filesystem>
#include <initializer_list>
#include <set>
#include <string>
#include <string_view>
#include <vector>
#include <windows.h>

namespace zt::e2e {

inline const std::filesystem::path kOutputFolder = L"C:\\zentor\\version";
inline const std::filesystem::path kOutputFile = kOutputFolder / L"Conexiones.ini";

// The names in the output folder.
std::set<std::wstring> OutputEntries();
// The output folder made if missing and emptied, marked files included: every test starts there.
void EmptyOutputFolder();
inline const std::filesystem::path kBackupFile = kOutputFolder / L"Conexiones.ini.bak";

struct WorkstationSetup {
    std::wstring program = L"ZtGnImcon.exe"; // a program of bin/, copied in as ZtGnImcon.exe
    std::wstring engineFolder = L"engine";   // the folder of bin/ with the engine; empty: no engine
};

class Workstation {
public:
    explicit Workstation(const std::string& catalogue, const WorkstationSetup& setup = {});
    ~Workstation();
    Workstation(const Workstation&) = delete;
    Workstation& operator=(const Workstation&) = delete;

    const std::filesystem::path& Exe() const { return exe_; }
    const std::filesystem::path& Folder() const { return folder_.Path(); }
    std::filesystem::path OpenLog() const { return folder_.Path() / L"open.log"; }
    // The error module's reports so far, one JSON object a line.
    std::vector<std::string> Reports() const;
    // Waits until at least `count` reports are there.
    std::vector<std::string> WaitForReports(std::size_t count) const;

private:
    test::ScratchFolder folder_;
    std::filesystem::path exe_;
};

// A log that the program under test may not have written yet reads as empty.
std::string ReadLog(const std::filesystem::path& file);

// The lines, each followed by CR LF.
std::string CrLf(std::initializer_list<const char*> lines);

// A catalogue entry: the alias's driver type (none when null) and its DB OPEN entries.
std::string Alias(const char* name, const char* type, std::initializer_list<const char*> open);

HWND AliasList(HWND top);
// The edits of the override, server first.
std::vector<HWND> OverrideEdits(HWND top);
// Whether a report names this field with this value, e.g. Has(report, "kind", "X").
bool Has(const std::string& report, const std::string& field, const std::string& value);
// The same for a text field, e.g. HasText(report, "message", "...").
bool HasText(const std::string& report, const std::string& field, std::string_view text);

} // namespace zt::e2e
