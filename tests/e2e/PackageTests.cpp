// The release archive unpacked into an empty folder (ZT_UNPACKED_FOLDER, see RunPackageTests.cmake):
// it holds the program, the error module and the guide, nothing else; with the stand-in engine
// installed in a folder of its own and registered as a workstation's engine is, the unpacked program
// does its whole job.
#include "Input.h"
#include "MainWindow.h"
#include "Workstation.h"
#include "tests/files/OpenRecorder.h"
#include "tests/support/Bytes.h"
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

// Where the engine's installer registers it: DLLPATH under HKLM\Software\Borland\Database Engine in
// the registry's view of 32-bit programs (the engine and its installer are 32-bit), whatever this
// test's own width. What the object created goes again at the end.
class InstalledEngine {
public:
    static constexpr const wchar_t* kVendorKey = L"Software\\Borland";
    static constexpr const wchar_t* kEngineKey = L"Software\\Borland\\Database Engine";
    static constexpr REGSAM kView = KEY_WOW64_32KEY;

    explicit InstalledEngine(const fs::path& folder)
        : createdVendor_(!Exists(kVendorKey)), createdEngine_(!Exists(kEngineKey)) {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kEngineKey, 0, nullptr, 0, KEY_WRITE | kView, nullptr, &key,
                            nullptr) != ERROR_SUCCESS)
            throw std::runtime_error("cannot create the engine's registry key");
        const std::wstring path = folder.wstring();
        const LSTATUS set =
            RegSetValueExW(key, L"DLLPATH", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                           static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
        if (set != ERROR_SUCCESS)
            throw std::runtime_error("cannot set the engine's DLLPATH");
    }
    ~InstalledEngine() {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kEngineKey, 0, KEY_WRITE | kView, &key) == ERROR_SUCCESS) {
            RegDeleteValueW(key, L"DLLPATH");
            RegCloseKey(key);
        }
        if (createdEngine_)
            RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kEngineKey, kView, 0);
        if (createdVendor_)
            RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kVendorKey, kView, 0);
    }
    InstalledEngine(const InstalledEngine&) = delete;
    InstalledEngine& operator=(const InstalledEngine&) = delete;

private:
    static bool Exists(const wchar_t* path) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ | kView, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }
    bool createdVendor_;
    bool createdEngine_;
};

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
    const InstalledEngine engine(engineFolder.Path());

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
