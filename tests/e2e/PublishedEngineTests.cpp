// The utility on an engine written from the engine's published interface alone: discovery, the
// connections file and the engine's start must come out as they do on the workstation's engine.
#include "Input.h"
#include "MainWindow.h"
#include "Workstation.h"
#include "tests/support/Bytes.h"

#include <chrono>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>
#include <windows.h>

namespace zt::e2e {
namespace {

const WorkstationSetup kPublishedEngine{.engineFolder = L"published-engine"};

class PublishedEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        CreateDirectoryW(kOutputFolder.parent_path().c_str(), nullptr);
        CreateDirectoryW(kOutputFolder.c_str(), nullptr);
        DeleteFileW(kOutputFile.c_str());
    }

    // Presses "&Importar", dismisses the message box that ends the run and returns the file.
    static std::string Import(RunningApp& app) {
        ClickButton(FindDescendant(app.Window(), L"Button", L"&Importar"));
        const HWND box = WaitForMessageBox(app.GetProcess().Id(), std::chrono::seconds(60));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        WaitFor([&] { return !IsWindow(box); }, "the message box to close");
        return test::ReadBytes(kOutputFile);
    }
};

std::vector<std::wstring> Listed(const RunningApp& app) {
    std::vector<std::wstring> names;
    for (const ListItem& item : ListBoxItems(AliasList(app.Window()))) {
        names.push_back(item.text);
        EXPECT_EQ(item.data, 1) << "every listed alias starts ticked";
    }
    return names;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

TEST_F(PublishedEngineTest, ListsAndImportsTheAliasesOfZentor7sDriverTypeAfterAPublishedStart) {
    Workstation station(
        Alias("N\xC3\xB3mina", "MSSQL", {"SERVER NAME=SRVDATOS", "DATABASE NAME=Nomina"}) +
            Alias("Ventas", "ORACLE", {"SERVER NAME=ORA1"}) +
            "[DATABASES\\Archivo\\DB INFO]\nTYPE=STANDARD\nPATH=C:\\Datos\nDEFAULT DRIVER=PARADOX\n" +
            Alias("Zentor7", "MSSQL",
                  {"USER NAME=sa", "SERVER NAME=  SRVDATOS\\PRODUCCION ", "DATABASE NAME=GENTE"}) +
            Alias("Analitica", "POSTGRESQL ANSI", {"SERVER NAME=PG1"}) +
            Alias("Contable", "Mssql", {"DATABASE NAME=Conta", "SERVER NAME=SRVCONTA"}),
        kPublishedEngine);
    RunningApp app(station.Exe(), station.Folder());
    EXPECT_EQ(SendMessageW(FindDescendant(app.Window(), L"Button", L"&SQL Server"), BM_GETCHECK, 0, 0),
              BST_CHECKED);
    EXPECT_EQ(Lines(ReadLog(station.Folder() / L"engine-calls.log")),
              (std::vector<std::string>{"DbiInitFn version=500 language=0009",
                                        "DbiSetProp property=0x2000C value=7"}))
        << "the engine is started once, at the published version, showing every alias origin";
    ASSERT_EQ(Listed(app), (std::vector<std::wstring>{L"N\u00F3mina", L"Zentor7", L"Contable"}));

    EXPECT_EQ(Import(app), CrLf({"[N\xF3mina]",
                                 "DriverID=MSSQL",
                                 "Server=SRVDATOS",
                                 "DataBase=Nomina",
                                 "User_Name=",
                                 "Password=",
                                 "",
                                 "[Zentor7]",
                                 "DriverID=MSSQL",
                                 "Server=SRVDATOS\\PRODUCCION",
                                 "DataBase=GENTE",
                                 "User_Name=",
                                 "Password=",
                                 "",
                                 "[Contable]",
                                 "DriverID=MSSQL",
                                 "Server=SRVCONTA",
                                 "DataBase=Conta",
                                 "User_Name=",
                                 "Password=",
                                 ""}));
    EXPECT_TRUE(station.Reports().empty()) << station.Reports().front();
    EXPECT_EQ(app.Close(), 0u);
}

TEST_F(PublishedEngineTest, ValuesArriveWholeUpTo127BytesAndCutBeyond) {
    const std::string server127 = std::string(120, 's') + "\\PRUEBA";
    const std::string database = "GENTE" + std::string(122, 'g');
    ASSERT_EQ(server127.size(), 127u);
    ASSERT_EQ(database.size(), 127u);
    Workstation station(
        Alias("Zentor7", "MSSQL",
              {("SERVER NAME=" + server127).c_str(), ("DATABASE NAME=" + database + "CORTADO").c_str()}),
        kPublishedEngine);
    RunningApp app(station.Exe(), station.Folder());
    ASSERT_EQ(Listed(app), std::vector<std::wstring>{L"Zentor7"});
    EXPECT_EQ(Import(app), CrLf({"[Zentor7]", "DriverID=MSSQL", ("Server=" + server127).c_str(),
                                 ("DataBase=" + database).c_str(), "User_Name=", "Password=", ""}));
    EXPECT_TRUE(station.Reports().empty()) << station.Reports().front();
    EXPECT_EQ(app.Close(), 0u);
}

} // namespace
} // namespace zt::e2e
