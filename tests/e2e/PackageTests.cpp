// The release archive unpacked into an empty folder (ZT_UNPACKED_FOLDER, see RunPackageTests.cmake):
// it holds the program, the error module and the guide, nothing else; with the stand-in engine
// installed in a folder of its own and registered as a workstation's engine is, the unpacked program
// does its whole job.
#include "Input.h"
#include "MainWindow.h"
#include "Workstation.h"
#include "tests/files/OpenRecorder.h"
#include "tests/support/Bytes.h"
#include "tests/support/EngineRegistryKey.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>
#include <optional>
#include <set>
#include <string>
#include <windows.h>

namespace zt::e2e {
namespace {

namespace fs = std::filesystem;
using test::ExecutableFolder;
using test::ScratchFolder;

fs::path UnpackedFolder() {
    wchar_t folder[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"ZT_UNPACKED_FOLDER", folder, MAX_PATH) == 0)
        throw std::runtime_error("ZT_UNPACKED_FOLDER names no folder: run through RunPackageTests.cmake");
    return folder;
}

std::set<std::wstring> Entries(const fs::path& folder) {
    std::set<std::wstring> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().wstring());
    return names;
}

TEST(UnpackedArchive, HoldsExactlyTheProgramTheErrorModuleAndTheGuide) {
    const fs::path folder = UnpackedFolder();
    EXPECT_EQ(Entries(folder), (std::set<std::wstring>{L"LEAME.txt", L"ZtError.dll", L"ZtGnImcon.exe"}));
    const std::string guide = test::ReadBytes(folder / L"LEAME.txt");
    EXPECT_EQ(guide.rfind("\xEF\xBB\xBF", 0), 0u) << "the guide starts with a UTF-8 byte-order mark";
    EXPECT_NE(guide.find("C:\\zentor\\version\\Conexiones.ini\r\n"), std::string::npos) << "CR LF line ends";
    EXPECT_EQ(guide.find("\n\n"), std::string::npos) << "no line ends in LF alone";
    EXPECT_NE(guide.find("Zentor7"), std::string::npos);
    EXPECT_NE(
        guide.find("Alias Zentor7 no encontrado. Valide por favor y vuelva a ejecutar la aplicaci\xC3\xB3n."),
        std::string::npos);
}

TEST(UnpackedArchive, WithTheEngineInstalledElsewhereDoesTheWholeJob) {
    const fs::path folder = UnpackedFolder();
    ASSERT_FALSE(fs::exists(folder / L"IDAPI32.DLL")) << "no engine beside the program";

    const ScratchFolder engineFolder;
    engineFolder.CopyIn(ExecutableFolder() / L"engine" / L"IDAPI32.DLL");
    test::WriteBytes(engineFolder.Path() / L"aliases.cfg",
                     Alias("NOMINA", "MSSQL", {"SERVER NAME=SRVDATOS", "DATABASE NAME=Nomina"}) +
                         Alias("ARCHIVO", "STANDARD", {}) +
                         Alias("Zentor7", "MSSQL", {"SERVER NAME=SRVDATOS", "DATABASE NAME=GENTE"}));
    // Where the engine's installer registers it: the registry view of 32-bit programs.
    const test::EngineRegistryKey engine(engineFolder.Path().wstring(), KEY_WOW64_32KEY);

    CreateDirectoryW(kOutputFolder.parent_path().c_str(), nullptr);
    CreateDirectoryW(kOutputFolder.c_str(), nullptr);
    DeleteFileW(kOutputFile.c_str());
    const ScratchFolder logs;
    const fs::path openLog = logs.Path() / L"open.log";
    test::RegisterOpenRecorder((ExecutableFolder() / L"ZtOpenRecorder.exe").wstring());
    SetEnvironmentVariableW(test::kOpenLogVariable, openLog.c_str());

    RunningApp app(folder / L"ZtGnImcon.exe", folder);
    const HWND list = AliasList(app.Window());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ListBoxItems(list), (std::vector<ListItem>{{L"NOMINA", 1}, {L"Zentor7", 1}}))
        << "the aliases of the engine found through the registry";

    ClickButton(FindDescendant(app.Window(), L"Button", L"&Importar"));
    const HWND box = WaitForMessageBox(app.GetProcess().Id(), std::chrono::seconds(60));
    const MessageBoxInfo info = ReadMessageBox(box);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(info.text, L"Archivo de Conexiones generado en la ruta: \rC:\\zentor\\version\\Conexiones.ini\r"
                         L"Puede realizar los ajustes necesarios al archivo Conexiones.ini");
    EXPECT_EQ(test::ReadBytes(kOutputFile),
              CrLf({"[NOMINA]", "DriverID=MSSQL", "Server=SRVDATOS", "DataBase=Nomina",
                    "User_Name=", "Password=", "", "[Zentor7]", "DriverID=MSSQL", "Server=SRVDATOS",
                    "DataBase=GENTE", "User_Name=", "Password=", ""}));
    WaitFor(
        [&] { return ReadLog(openLog).find("\"C:\\zentor\\version\\Conexiones.ini\"") != std::string::npos; },
        "the shell's open of the file", std::chrono::seconds(30));
    EXPECT_EQ(app.Close(), 0u);
    SetEnvironmentVariableW(test::kOpenLogVariable, nullptr);
}

} // namespace
} // namespace zt::e2e
