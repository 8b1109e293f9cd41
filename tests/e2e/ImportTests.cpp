// The utility's whole job on prepared catalogues: discovery, the checks, the connections file, the
// message box, the shell's "open", and the reports that reach the recording error module.
#include "Input.h"
#include "MainWindow.h"
#include "Workstation.h"
#include "runtime/CodePages.h"
#include "runtime/Exceptions.h"
#include "runtime/Format.h"
#include "tests/support/AllocationBudget.h"
#include "tests/support/Bytes.h"
#include "tests/support/FileHolder.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <set>
#include <string>
#include <vector>
#include <windows.h>

namespace zt::e2e {
namespace {

namespace fs = std::filesystem;

HWND Find(HWND top, const wchar_t* className, const wchar_t* text) {
    HWND found = FindDescendant(top, className, text);
    EXPECT_NE(found, nullptr) << "no control of class " << testing::PrintToString(std::wstring(className));
    return found;
}

// Waits for the "generated" message box, reads it and dismisses it.
MessageBoxInfo DismissGeneratedBox(RunningApp& app) {
    const HWND box = WaitForMessageBox(app.GetProcess().Id(), std::chrono::seconds(60));
    const MessageBoxInfo info = ReadMessageBox(box);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return info;
}

class ImportTest : public ::testing::Test {
protected:
    // Every test starts with an empty output folder.
    void SetUp() override {
        EmptyOutputFolder();
        ASSERT_TRUE(OutputEntries().empty());
    }
};

// A failed run leaves the old file and its backup as they were, no temporary file, no message box, no
// opening, no dialog; its error reaches the error module.
const std::string kOldFile = "[VIEJO]\r\nServer=ajustado a mano\r\nUser_Name=admin\r\n";
const std::string kOldBackup = "[ANTERIOR]\r\nServer=de la vez anterior\r\n";

void WriteOldFiles() {
    test::WriteBytes(kOutputFile, kOldFile);
    test::WriteBytes(kBackupFile, kOldBackup);
}

void ExpectFailedRunLeftNothing(RunningApp& app, const Workstation& station) {
    EXPECT_EQ(test::ReadBytes(kOutputFile), kOldFile);
    EXPECT_EQ(test::ReadBytes(kBackupFile), kOldBackup);
    EXPECT_EQ(OutputEntries(), (std::set<std::wstring>{L"Conexiones.ini", L"Conexiones.ini.bak"}))
        << "a temporary file was left";
    EXPECT_TRUE(MessageBoxes(app.GetProcess().Id()).empty());
    EXPECT_TRUE(TopWindows(app.GetProcess().Id(), L"TFrmInfoP50").empty()) << "the dialog outlived its run";
    EXPECT_FALSE(fs::exists(station.OpenLog()));
}

const std::string kWorkedExample =
    Alias("NOMINA", "MSSQL", {"SERVER NAME=SRVDATOS", "DATABASE NAME=Nomina", "USER NAME=nomina"}) +
    Alias("CONTABLE", "MSSQL", {"SERVER NAME=SRVCONTA", "DATABASE NAME=Conta"}) +
    Alias("ARCHIVO", "STANDARD", {}) +
    Alias("Zentor7", "MSSQL", {"SERVER NAME=  SRVDATOS\\PRODUCCION ", "DATABASE NAME=GENTE"});

TEST_F(ImportTest, WorkedExampleIsWrittenByteForByteShownAndOpened) {
    Workstation station(kWorkedExample);
    RunningApp app(station.Exe(), station.Folder());
    const HWND list = AliasList(app.Window());
    ASSERT_NE(list, nullptr);
    const std::vector<ListItem> listed = ListBoxItems(list);
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[0].text, L"NOMINA");
    EXPECT_EQ(listed[1].text, L"CONTABLE");
    EXPECT_EQ(listed[2].text, L"Zentor7");
    for (const ListItem& item : listed)
        EXPECT_EQ(item.data, 1) << "every listed alias starts ticked";

    // The user unticks CONTABLE on its tick box (second item of the first column).
    RECT item{};
    SendMessageW(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    MouseClick(list, POINT{item.left + 6, (item.top + item.bottom) / 2});
    WaitFor([&] { return ListBoxItems(list)[1].data == 0; }, "CONTABLE unticked");

    ClickButton(Find(app.Window(), L"Button", L"&Importar"));
    // The dialog counts every listed alias in its total and only the ticked ones as items.
    std::vector<std::wstring> counters;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (MessageBoxes(app.GetProcess().Id()).empty()) {
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "no message box after the run within 60 s";
        for (HWND dialog : TopWindows(app.GetProcess().Id(), L"TFrmInfoP50"))
            for (HWND child : Descendants(dialog)) {
                wchar_t text[64] = {};
                GetWindowTextW(child, text, 64); // the stored text: no message to the busy program
                const std::wstring counter = text;
                if (counter.find(L" de ") != std::wstring::npos &&
                    (counters.empty() || counters.back() != counter))
                    counters.push_back(counter);
            }
        ASSERT_TRUE(app.GetProcess().Running());
        Sleep(1); // polling the counter as it changes
    }
    EXPECT_NE(std::find(counters.begin(), counters.end(), L"0 de 3"), counters.end())
        << testing::PrintToString(counters);
    EXPECT_EQ(std::find(counters.begin(), counters.end(), L"3 de 3"), counters.end())
        << testing::PrintToString(counters);
    const MessageBoxInfo box = DismissGeneratedBox(app);
    EXPECT_EQ(box.title, L"Importar Conexiones BDE a Alvenor");
    EXPECT_EQ(box.buttons, std::vector<std::wstring>{L"OK"}) << "a single OK button";
    EXPECT_EQ(box.text, L"Archivo de Conexiones generado en la ruta: \rC:\\zentor\\version\\Conexiones.ini\r"
                        L"Puede realizar los ajustes necesarios al archivo Conexiones.ini");

    EXPECT_EQ(test::ReadBytes(kOutputFile),
              CrLf({"[NOMINA]", "DriverID=MSSQL", "Server=SRVDATOS", "DataBase=Nomina",
                    "User_Name=", "Password=", "", "[Zentor7]", "DriverID=MSSQL",
                    "Server=SRVDATOS\\PRODUCCION", "DataBase=GENTE", "User_Name=", "Password=", ""}));
    // The system's own INI reading sees what was written.
    wchar_t sections[256] = {};
    const DWORD length = GetPrivateProfileSectionNamesW(sections, 256, kOutputFile.c_str());
    EXPECT_EQ(std::wstring(sections, length), std::wstring(L"NOMINA\0Zentor7\0", 15));
    wchar_t server[128] = {};
    GetPrivateProfileStringW(L"Zentor7", L"Server", L"?", server, 128, kOutputFile.c_str());
    EXPECT_STREQ(server, L"SRVDATOS\\PRODUCCION");
    GetPrivateProfileStringW(L"NOMINA", L"User_Name", L"?", server, 128, kOutputFile.c_str());
    EXPECT_STREQ(server, L"");

    const std::string opened = *WaitFor(
        [&]() -> std::optional<std::string> {
            const std::string log = ReadLog(station.OpenLog());
            if (log.find("\"C:\\zentor\\version\\Conexiones.ini\"") == std::string::npos)
                return std::nullopt;
            return log;
        },
        "the shell's open of the file to reach the recording handler", std::chrono::seconds(30));
    EXPECT_NE(opened.find("ZtOpenRecorder.exe"), std::string::npos);
    EXPECT_TRUE(station.Reports().empty()) << "a run without errors reports nothing";
    EXPECT_EQ(app.Close(), 0u);
}

TEST_F(ImportTest, ASecondRunKeepsTheFirstFileByteForByteAsTheBackup) {
    const std::wstring generatedText = L"Archivo de Conexiones generado en la ruta: \rC:\\zentor\\version\\"
                                       L"Conexiones.ini\rPuede realizar los ajustes necesarios al archivo "
                                       L"Conexiones.ini";
    Workstation station(kWorkedExample);
    {
        RunningApp first(station.Exe(), station.Folder());
        ClickButton(Find(first.Window(), L"Button", L"&Importar"));
        EXPECT_EQ(DismissGeneratedBox(first).text, generatedText);
        EXPECT_EQ(first.Close(), 0u);
    }
    EXPECT_EQ(OutputEntries(), std::set<std::wstring>{L"Conexiones.ini"})
        << "the first run had nothing to keep";
    // The administrator fills in a user and a password, as the guide says.
    std::string adjusted = test::ReadBytes(kOutputFile);
    const std::string generated = adjusted;
    adjusted.replace(adjusted.find("User_Name=\r\nPassword=\r\n"), 22,
                     "User_Name=nomina\r\nPassword=s3cr3t\r\n");
    test::WriteBytes(kOutputFile, adjusted);

    RunningApp second(station.Exe(), station.Folder());
    ClickButton(Find(second.Window(), L"Button", L"&Importar"));
    EXPECT_EQ(DismissGeneratedBox(second).text, generatedText) << "the message is the same with a backup";
    EXPECT_EQ(test::ReadBytes(kBackupFile), adjusted);
    EXPECT_EQ(test::ReadBytes(kOutputFile), generated);
    EXPECT_EQ(OutputEntries(), (std::set<std::wstring>{L"Conexiones.ini", L"Conexiones.ini.bak"}));
    EXPECT_TRUE(station.Reports().empty()) << station.Reports().front();
    EXPECT_EQ(second.Close(), 0u);
}

TEST_F(ImportTest, ARunRemovesWhatAKilledRunLeftAndNothingElse) {
    Workstation station(kWorkedExample);
    DWORD killedId = 0;
    {
        RunningApp killed(station.Exe(), station.Folder());
        killedId = killed.GetProcess().Id();
    } // ended by force as it goes
    // What it leaves when killed while saving: its temporary file, named after its process.
    const std::wstring stale = L"~Conexiones.ini." + HexUpper(killedId, 4) + L".0001ABCD.tmp";
    // Other programs' files of similar names, and one of our name that a process holds open.
    const std::set<std::wstring> others = {L"~Conexiones.ini.tmp",
                                           L"Conexiones.ini." + HexUpper(killedId, 4) + L".0001ABCD.tmp",
                                           L"~Conexiones.ini.0001ABCD.tmp", stale + L".txt"};
    const std::wstring held = L"~Conexiones.ini.0A1B.0002ABCD.tmp";
    for (const std::wstring& name : others)
        test::WriteBytes(kOutputFolder / name, "de otro programa");
    test::WriteBytes(kOutputFolder / stale, "[A medio");
    test::WriteBytes(kOutputFolder / held, "[A medio");
    const test::FileHolder holder((kOutputFolder / held).wstring());
    ASSERT_TRUE(holder.WaitUntilHeld()) << "ZtFileHolder.exe did not report holding the file";

    RunningApp app(station.Exe(), station.Folder());
    ClickButton(Find(app.Window(), L"Button", L"&Importar"));
    DismissGeneratedBox(app);
    std::set<std::wstring> expected = others;
    expected.insert({L"Conexiones.ini", held});
    EXPECT_EQ(OutputEntries(), expected);
    for (const std::wstring& name : others)
        EXPECT_EQ(test::ReadBytes(kOutputFolder / name), "de otro programa");
    EXPECT_EQ(app.Close(), 0u);
}

TEST_F(ImportTest, EngineVariantsShapeTheSections) {
    struct Case {
        const char* name;
        std::string catalogue;
        std::string expected;
    };
    const Case cases[] = {
        {"ORACLE: no server line, the server name as database",
         Alias("NOMINA", "ORACLE", {"SERVER NAME=SRVDATOS", "DATABASE NAME=Nomina"}) +
             Alias("Zentor7", "ORACLE", {"SERVER NAME=  SRVDATOS\\PRODUCCION "}),
         CrLf({"[NOMINA]", "DriverID=ORA", "DataBase=SRVDATOS", "User_Name=", "Password=", "", "[Zentor7]",
               "DriverID=ORA", "DataBase=SRVDATOS\\PRODUCCION", "User_Name=", "Password=", ""})},
        {"no engine (lower-case mssql): no driver line, no database line; names matched in any case",
         Alias("Zentor7", "mssql",
               {"server name=\t SRV\xC2\xA0"
                "1 \t",
                "DATABASE NAME=X"}) +
             Alias("Otro", "MSSQL", {"DATABASE NAME=sin servidor"}),
         CrLf({"[Zentor7]",
               "Server=SRV\xA0"
               "1",
               "User_Name=", "Password=", "", "[Otro]", "Server=", "User_Name=", "Password=", ""})},
        {"SQL Server: a missing DATABASE NAME or SERVER NAME still gives its line, empty",
         Alias("Zentor7", "MSSQL", {"SERVER NAME=SRV"}) + Alias("Vacio", "MSSQL", {"USER NAME=u"}),
         CrLf({"[Zentor7]", "DriverID=MSSQL", "Server=SRV", "DataBase=", "User_Name=", "Password=", "",
               "[Vacio]", "DriverID=MSSQL", "Server=", "DataBase=", "User_Name=", "Password=", ""})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteFileW(kOutputFile.c_str());
        Workstation station(c.catalogue);
        RunningApp app(station.Exe(), station.Folder());
        ClickButton(Find(app.Window(), L"Button", L"&Importar"));
        DismissGeneratedBox(app);
        EXPECT_EQ(test::ReadBytes(kOutputFile), c.expected);
        EXPECT_EQ(app.Close(), 0u);
    }
}

TEST_F(ImportTest, PostgreSqlImposesTheTypedServerAndDatabase) {
    Workstation station(Alias("Zentor7", "POSTGRESQL ANSI", {"SERVER NAME=VIEJO"}) +
                        Alias("Ventas", "POSTGRESQL ANSI", {"SERVER NAME=VIEJO2"}));
    RunningApp app(station.Exe(), station.Folder());
    const HWND box = Find(app.Window(), L"Button", L"Asignar nuevos parámetros ");
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(Find(app.Window(), L"Button", L"&PostgreSQL"), BM_GETCHECK, 0, 0), BST_CHECKED);
    const std::vector<HWND> edits = OverrideEdits(app.Window());
    ASSERT_EQ(edits.size(), 2u);
    for (HWND edit : edits) {
        EXPECT_TRUE(IsWindowEnabled(edit));
        EXPECT_EQ(Text(edit), L"");
    }
    TypeText(edits[0], L"  SRVNUEVO\t");
    TypeText(edits[1], L"NOMINADB\u4E2D"); // the last letter is not in the ANSI code page
    WaitFor([&] { return Text(edits[1]) == L"NOMINADB\u4E2D"; }, "the database name typed");
    ClickButton(Find(app.Window(), L"Button", L"&Importar"));
    DismissGeneratedBox(app);
    EXPECT_EQ(test::ReadBytes(kOutputFile),
              CrLf({"[Zentor7]", "DriverID=PG", "Server=SRVNUEVO", "DataBase=NOMINADB?",
                    "User_Name=", "Password=", "", "[Ventas]", "DriverID=PG", "Server=SRVNUEVO",
                    "DataBase=NOMINADB?", "User_Name=", "Password=", ""}));
    EXPECT_EQ(app.Close(), 0u);
}

TEST_F(ImportTest, WithTheOverrideTickedNoAliasParameterIsRead) {
    // The stand-in engine cannot read the parameters of FALLA_Dos: reading them would fail the run.
    Workstation station(Alias("Zentor7", "MSSQL", {"SERVER NAME=VIEJO", "DATABASE NAME=VIEJA"}) +
                            Alias("FALLA_Dos", "MSSQL", {"SERVER NAME=VIEJO2"}),
                        {.engineFolder = L"engine-unreadable-branch"});
    RunningApp app(station.Exe(), station.Folder());
    const HWND box = Find(app.Window(), L"Button", L"Asignar nuevos parámetros ");
    ClickButton(box);
    WaitFor([&] { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }, "the override box ticked");
    const std::vector<HWND> edits = OverrideEdits(app.Window());
    ASSERT_EQ(edits.size(), 2u);
    SendMessageW(edits[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"SRVNUEVO"));
    SendMessageW(edits[1], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"NOMINADB"));
    ClickButton(Find(app.Window(), L"Button", L"&Importar"));
    DismissGeneratedBox(app);
    EXPECT_EQ(test::ReadBytes(kOutputFile),
              CrLf({"[Zentor7]", "DriverID=MSSQL", "Server=SRVNUEVO", "DataBase=NOMINADB",
                    "User_Name=", "Password=", "", "[FALLA_Dos]", "DriverID=MSSQL", "Server=SRVNUEVO",
                    "DataBase=NOMINADB", "User_Name=", "Password=", ""}));
    EXPECT_EQ(app.Close(), 0u);
    EXPECT_TRUE(station.Reports().empty()) << station.Reports().front();
}

TEST_F(ImportTest, StartupAndCheckErrorsReachTheErrorModule) {
    WriteOldFiles();
    Workstation station(Alias("NOMINA", "MSSQL", {"SERVER NAME=SRV"}));
    RunningApp app(station.Exe(), station.Folder());
    EXPECT_TRUE(ListBoxItems(AliasList(app.Window())).empty());
    ClickButton(Find(app.Window(), L"Button", L"&Importar"));
    const std::vector<std::string> reports = station.WaitForReports(2);
    ASSERT_EQ(reports.size(), 2u);
    const std::string& first = reports[0];
    const std::string& second = reports[1];
    EXPECT_NE(first.find("\"kind\":\"X\""), std::string::npos) << first;
    EXPECT_NE(first.find("\"ownerVisible\":false"), std::string::npos) << first;
    EXPECT_NE(first.find("\"title\":\"Importar Conexiones BDE a Alvenor\""), std::string::npos) << first;
    EXPECT_NE(
        first.find("Alias Zentor7 no encontrado. Valide por favor y vuelva a ejecutar la aplicaci\xC3\xB3n."),
        std::string::npos)
        << first;
    EXPECT_NE(second.find("\"message\":\"Debe seleccionar al menos un alias para importar.\""),
              std::string::npos)
        << second;
    EXPECT_NE(second.find("\"ownerVisible\":true"), std::string::npos) << second;
    ExpectFailedRunLeftNothing(app, station);
    EXPECT_EQ(app.Close(), 0u);
}

TEST_F(ImportTest, AMissingFolderIsReportedAndNothingIsShownOrOpened) {
    Workstation station(kWorkedExample);
    RemoveDirectoryW(kOutputFolder.c_str());
    RunningApp app(station.Exe(), station.Folder());
    ClickButton(Find(app.Window(), L"Button", L"&Importar"));
    const std::vector<std::string> reports = station.WaitForReports(1);
    ASSERT_EQ(reports.size(), 1u);
    const std::string& report = reports[0];
    EXPECT_NE(report.find("Cannot create file \\\"C:\\\\zentor\\\\version\\\\Conexiones.ini\\\". "),
              std::string::npos)
        << report;
    EXPECT_TRUE(MessageBoxes(app.GetProcess().Id()).empty());
    EXPECT_FALSE(fs::exists(station.OpenLog()));
    EXPECT_FALSE(fs::exists(kOutputFolder));
    EXPECT_EQ(app.Close(), 0u);
}

TEST_F(ImportTest, AFailedParameterFetchReplacesNothingAndIsReported) {
    WriteOldFiles();
    // What a killed run left goes all the same: the run fails before it saves.
    test::WriteBytes(kOutputFolder / L"~Conexiones.ini.0BAD.0001ABCD.tmp", "[A medio");
    Workstation station(Alias("Uno", "MSSQL", {"SERVER NAME=S1"}) +
                            Alias("Dos", "MSSQL", {"SERVER NAME=S2"}) +
                            Alias("FALLA_Tres", "MSSQL", {"SERVER NAME=S3"}) +
                            Alias("Cuatro", "MSSQL", {"SERVER NAME=S4"}) + Alias("Zentor7", "MSSQL", {}),
                        {.engineFolder = L"engine-unreadable-branch"});
    RunningApp app(station.Exe(), station.Folder());
    ASSERT_EQ(ListBoxItems(AliasList(app.Window())).size(), 5u);
    ClickButton(Find(app.Window(), L"Button", L"&Importar"));
    const std::vector<std::string> reports = station.WaitForReports(1);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_TRUE(HasText(reports[0], "class", "EDBEngineError")) << reports[0];
    EXPECT_NE(reports[0].find("FALLA_Tres"), std::string::npos) << reports[0];
    ExpectFailedRunLeftNothing(app, station);
    EXPECT_EQ(app.Close(), 0u);
}

TEST_F(ImportTest, AFileOrBackupThatCannotBeReplacedStaysAsItWas) {
    struct Case {
        const char* name;
        const fs::path* file; // the file that is marked or held
        DWORD marks;
        bool heldOpen;
        DWORD errorCode; // whose system text ends the reported message
    };
    const Case cases[] = {
        {"read-only", &kOutputFile, FILE_ATTRIBUTE_READONLY, false, ERROR_ACCESS_DENIED},
        {"hidden", &kOutputFile, FILE_ATTRIBUTE_HIDDEN, false, ERROR_ACCESS_DENIED},
        {"system", &kOutputFile, FILE_ATTRIBUTE_SYSTEM, false, ERROR_ACCESS_DENIED},
        {"held open by another program", &kOutputFile, 0, true, ERROR_SHARING_VIOLATION},
        {"backup read-only", &kBackupFile, FILE_ATTRIBUTE_READONLY, false, ERROR_ACCESS_DENIED},
        {"backup held open by another program", &kBackupFile, 0, true, ERROR_SHARING_VIOLATION},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteOldFiles();
        if (c.marks != 0) {
            ASSERT_TRUE(SetFileAttributesW(c.file->c_str(), c.marks));
        }
        std::optional<test::FileHolder> holder;
        if (c.heldOpen) {
            holder.emplace(c.file->wstring());
            ASSERT_TRUE(holder->WaitUntilHeld()) << "ZtFileHolder.exe did not report holding the file";
        }
        Workstation station(kWorkedExample);
        RunningApp app(station.Exe(), station.Folder());
        ClickButton(Find(app.Window(), L"Button", L"&Importar"));
        const std::vector<std::string> reports = station.WaitForReports(1);
        ASSERT_EQ(reports.size(), 1u);
        const std::string systemText = ToCodePage(SysErrorMessage(c.errorCode), CP_UTF8);
        const std::string name = c.file == &kBackupFile ? "Conexiones.ini.bak" : "Conexiones.ini";
        EXPECT_NE(reports[0].find("Cannot create file \\\"C:\\\\zentor\\\\version\\\\" + name + "\\\". " +
                                  systemText + "\""),
                  std::string::npos)
            << reports[0];
        holder.reset();
        EXPECT_EQ(GetFileAttributesW(c.file->c_str()) & c.marks, c.marks) << "the file lost a mark";
        SetFileAttributesW(c.file->c_str(), FILE_ATTRIBUTE_NORMAL);
        ExpectFailedRunLeftNothing(app, station);
        EXPECT_EQ(app.Close(), 0u);
    }
}

TEST_F(ImportTest, RunningOutOfMemoryEndsTheProgramWithTheLastResortReport) {
    // The utility with an allocator that fails past a budget: once the window is up, nothing is left.
    test::SharedAllocationBudget budget;
    Workstation station(kWorkedExample, {.program = L"ZtGnImcon_lowmemory.exe"});
    RunningApp app(station.Exe(), station.Folder());
    budget.Limit(0);
    // The click's handler fails to allocate; the error handler raises the out-of-memory error anew,
    // the loop carries it out, and the program ends with its last-resort report.
    ClickButton(Find(app.Window(), L"Button", L"&Importar"));
    const HWND box = WaitForMessageBox(app.GetProcess().Id(), std::chrono::seconds(60));
    const MessageBoxInfo info = ReadMessageBox(box);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(info.title, L"Application Error");
    const std::wstring head = L"Exception EOutOfMemory in module ZtGnImcon.exe at ";
    EXPECT_EQ(info.text.substr(0, head.size()), head) << testing::PrintToString(info.text);
    EXPECT_NE(info.text.find(L".\r\nOut of memory."), std::wstring::npos)
        << testing::PrintToString(info.text);
    EXPECT_EQ(info.buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_EQ(app.GetProcess().WaitForExit(), 1u);
    EXPECT_TRUE(station.Reports().empty()) << "an out-of-memory error is not reported through the module";
    EXPECT_FALSE(fs::exists(station.OpenLog()));
}

// Whether a control of the window shows the text; the stored text is read, so that the busy program is
// sent no message.
bool Shows(HWND top, const std::wstring& text) {
    for (HWND child : Descendants(top)) {
        wchar_t stored[128] = {};
        GetWindowTextW(child, stored, 128);
        if (text == stored)
            return true;
    }
    return false;
}

TEST_F(ImportTest, InputDuringARunNeitherStartsAnotherNorShortensIt) {
    std::string catalogue = Alias("Zentor7", "MSSQL", {"SERVER NAME=S"});
    for (int i = 0; i < 3000; ++i) {
        std::string name = "A";
        name += std::to_string(i);
        catalogue += Alias(name.c_str(), "MSSQL", {"SERVER NAME=S", "DATABASE NAME=D"});
    }
    Workstation station(catalogue);
    RunningApp app(station.Exe(), station.Folder());
    const HWND button = Find(app.Window(), L"Button", L"&Importar");
    ClickButton(button);
    const HWND dialog = WaitForVisibleWindow(app.GetProcess().Id(), L"TFrmInfoP50", std::chrono::seconds(60));
    // Both handled while the run is under way, between two aliases.
    ClickButton(FindDescendant(dialog, L"Button", L"Detener Proceso"));
    ClickButton(button);
    WaitFor([&] { return Shows(dialog, L"DETENIENDO EL PROCESO..."); },
            "the stop request taken during the run", std::chrono::seconds(60));
    const HWND box = WaitForMessageBox(app.GetProcess().Id(), std::chrono::seconds(120));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    WaitFor([&] { return !IsWindow(box); }, "the message box to close");
    // Once the program answers again, no second run has been started by that click.
    DWORD_PTR ignored = 0;
    ASSERT_NE(SendMessageTimeoutW(app.Window(), WM_NULL, 0, 0, SMTO_NORMAL, 30'000, &ignored), 0);
    EXPECT_TRUE(MessageBoxes(app.GetProcess().Id()).empty());
    EXPECT_TRUE(TopWindows(app.GetProcess().Id(), L"TFrmInfoP50").empty());
    EXPECT_TRUE(station.Reports().empty());
    const std::string file = test::ReadBytes(kOutputFile);
    std::size_t sections = 0;
    for (std::size_t at = file.find("\r\n["); at != std::string::npos; at = file.find("\r\n[", at + 1))
        ++sections;
    EXPECT_EQ(sections + 1, 3001u) << "every alias written once, the stop request notwithstanding";
    EXPECT_EQ(app.Close(), 0u);
}

} // namespace
} // namespace zt::e2e
