#include "Workstation.h"

#include "tests/files/OpenRecorder.h"
#include "tests/support/Bytes.h"

#include <sstream>

namespace zt::e2e {
namespace fs = std::filesystem;

Workstation::Workstation(const std::string& catalogue, const WorkstationSetup& setup) {
    const fs::path bin = test::ExecutableFolder();
    exe_ = folder_.Path() / L"ZtGnImcon.exe";
    fs::copy_file(bin / setup.program, exe_);
    if (!setup.engineFolder.empty())
        folder_.CopyIn(bin / setup.engineFolder / L"IDAPI32.DLL");
    folder_.CopyIn(bin / L"recording" / L"ZtError.dll");
    test::WriteBytes(folder_.Path() / L"aliases.cfg", catalogue);
    test::RegisterOpenRecorder((bin / L"ZtOpenRecorder.exe").wstring());
    SetEnvironmentVariableW(test::kOpenLogVariable, OpenLog().c_str());
}

Workstation::~Workstation() {
    SetEnvironmentVariableW(test::kOpenLogVariable, nullptr);
}

std::vector<std::string> Workstation::Reports() const {
    std::vector<std::string> reports;
    std::istringstream log(ReadLog(folder_.Path() / L"ZtError.log"));
    for (std::string line; std::getline(log, line);)
        if (!line.empty())
            reports.push_back(line);
    return reports;
}

std::vector<std::string> Workstation::WaitForReports(std::size_t count) const {
    WaitFor([&] { return Reports().size() >= count; }, std::to_string(count) + " report(s) in ZtError.log",
            std::chrono::seconds(60));
    return Reports();
}

std::set<std::wstring> OutputEntries() {
    std::set<std::wstring> entries;
    for (const fs::directory_entry& entry : fs::directory_iterator(kOutputFolder))
        entries.insert(entry.path().filename().wstring());
    return entries;
}

void EmptyOutputFolder() {
    CreateDirectoryW(kOutputFolder.parent_path().c_str(), nullptr);
    CreateDirectoryW(kOutputFolder.c_str(), nullptr);
    for (const std::wstring& name : OutputEntries()) {
        const fs::path entry = kOutputFolder / name;
        SetFileAttributesW(entry.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(entry.c_str());
    }
}

std::string ReadLog(const fs::path& file) {
    return fs::exists(file) ? test::ReadBytes(file) : std::string();
}

std::string CrLf(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines)
        text += std::string(line) + "\r\n";
    return text;
}

std::string Alias(const char* name, const char* type, std::initializer_list<const char*> open) {
    std::string text = std::string("[DATABASES\\") + name + "\\DB INFO]\n";
    if (type != nullptr)
        text += std::string("TYPE=") + type + "\n";
    text += std::string("[DATABASES\\") + name + "\\DB OPEN]\n";
    for (const char* entry : open)
        text += std::string(entry) + "\n";
    return text;
}

HWND AliasList(HWND top) {
    return FindDescendant(top, L"ListBox");
}

std::vector<HWND> OverrideEdits(HWND top) {
    std::vector<HWND> edits;
    for (HWND child : Descendants(top))
        if (Describe(child).className == L"Edit")
            edits.push_back(child);
    return edits;
}

bool Has(const std::string& report, const std::string& field, const std::string& value) {
    return report.find("\"" + field + "\":" + value) != std::string::npos;
}

} // namespace zt::e2e

namespace zt::e2e {

bool HasText(const std::string& report, const std::string& field, std::string_view text) {
    std::string quoted;
    quoted.append(1, '"').append(text).append(1, '"');
    return Has(report, field, quoted);
}

} // namespace zt::e2e
