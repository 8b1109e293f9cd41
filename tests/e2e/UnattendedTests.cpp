// The utility started with arguments, as a login script starts it: the whole job without any window,
// its outcome in the exit code and the log, and the same file as the window writes.
#include "Input.h"
#include "MainWindow.h"
#include "Workstation.h"
#include "app/CorridaUnica.h"
#include "runtime/CodePages.h"
#include "runtime/Exceptions.h"
#include "tests/support/Bytes.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <vector>
#include <windows.h>

namespace zt::e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr milliseconds kRunBound = 60s;

// Every window of one process that is shown, and every window of the program's own classes or a box even
// hidden, looked for at every turn of the wait. (This Wine delivers no window events of another process.)
// A box or window that waits for a person would also keep the run from ending within its bound.
class WindowWatch {
public:
    explicit WindowWatch(DWORD processId) : processId_(processId) {}

    void Look() {
        for (HWND top : TopWindows(processId_)) {
            const std::wstring className = ClassName(top);
            if (IsWindowVisible(top))
                Note(L"visible " + className);
            else if (className == kMainWindowClass || className == L"TFrmInfoP50" || className == L"#32770")
                Note(L"hidden " + className);
        }
    }
    const std::vector<std::wstring>& Seen() const { return seen_; }

private:
    void Note(const std::wstring& seen) {
        if (std::find(seen_.begin(), seen_.end(), seen) == seen_.end())
            seen_.push_back(seen);
    }

    DWORD processId_;
    std::vector<std::wstring> seen_;
};

struct Outcome {
    DWORD exitCode = 0;
    std::vector<std::wstring> windowsShown;
    std::string output; // what reached its redirected standard output
};

// Runs the utility of the workstation with the arguments, watching its windows and reading its output,
// until it ends by itself; fails with TimeoutError if it has not ended within kRunBound. `meanwhile`
// runs after every look, with what the watch has seen so far, e.g. to answer a box that a person is
// meant to answer.
Outcome RunWithArguments(
    const Workstation& station, const std::wstring& arguments,
    const std::function<void(DWORD processId, const std::vector<std::wstring>& seen)>& meanwhile = {}) {
    // Its standard output goes to a file, as a script's "> salida.txt" sends it (the program writes
    // nothing into a pipe: see SalidaDeConsola.cpp).
    const std::filesystem::path outputFile = station.Folder() / L"salida.txt";
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    const HANDLE writing = CreateFileW(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       &inheritable, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (writing == INVALID_HANDLE_VALUE)
        throw std::runtime_error("no file for the output");
    std::optional<Process> process;
    try {
        process.emplace(
            Process::LaunchHeld(station.Exe().wstring(), station.Folder().wstring(), arguments, writing));
    } catch (...) {
        CloseHandle(writing);
        throw;
    }
    CloseHandle(writing);
    Outcome outcome;
    WindowWatch watch(process->Id());
    process->Resume();
    const auto deadline = std::chrono::steady_clock::now() + kRunBound;
    while (process->Running() && std::chrono::steady_clock::now() < deadline) {
        WaitForSingleObject(process->Handle(), 2); // a short look-out, not a pause: it ends with the process
        watch.Look();
        if (meanwhile)
            meanwhile(process->Id(), watch.Seen());
    }
    const bool ended = !process->Running();
    if (!ended)
        TerminateProcess(process->Handle(), 99);
    outcome.exitCode = process->WaitForExit();
    process.reset();
    outcome.output = test::ReadBytes(outputFile);
    outcome.windowsShown = watch.Seen();
    if (!ended)
        throw TimeoutError("the run with arguments " + test::ToUtf8(arguments) +
                           " did not end by itself within " + std::to_string(kRunBound.count()) + " ms");
    return outcome;
}

// The texts of a log's events, each line's stamp checked and taken off.
std::vector<std::string> Events(const std::string& log) {
    static const std::regex stamp(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d )");
    std::vector<std::string> events;
    std::size_t start = log.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    while (start < log.size()) {
        const std::size_t end = log.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "a log line without CR LF";
        const std::string line = log.substr(start, end - start);
        EXPECT_TRUE(std::regex_search(line, stamp)) << "no date and time: " << line;
        const std::string text = line.size() >= 20 ? line.substr(20) : line;
        // A message of several lines keeps them, the later ones indented under the same stamp.
        if (text.rfind("  ", 0) == 0 && !events.empty())
            events.back() += "\r\n" + text.substr(2);
        else
            events.push_back(text);
        if (end == std::string::npos)
            break;
        start = end + 2;
    }
    return events;
}

// The text as a JSON string holds it, without its quotes.
std::string Json(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        if (c == '\r')
            escaped += "\\r";
        else if (c == '\n')
            escaped += "\\n";
        else if (c == '"' || c == '\\')
            escaped += std::string("\\") + c;
        else
            escaped += c;
    }
    return escaped;
}

bool Contains(const std::vector<std::string>& events, const std::string& event) {
    return std::find(events.begin(), events.end(), event) != events.end();
}

std::string Utf8(std::wstring_view text) {
    return test::ToUtf8(text);
}

class UnattendedTest : public ::testing::Test {
protected:
    void SetUp() override { EmptyOutputFolder(); }
    void TearDown() override { SetFileAttributesW(kOutputFile.c_str(), FILE_ATTRIBUTE_NORMAL); }
};

const std::string kCatalogue =
    Alias("NOMINA", "MSSQL", {"SERVER NAME=SRVDATOS", "DATABASE NAME=N\xC3\xB3mina A\xC3\xB1o"}) +
    Alias("ARCHIVO", "STANDARD", {}) +
    Alias("CONTABLE", "mssql", {"SERVER NAME=SRVCONTA", "DATABASE NAME=Conta"}) +
    Alias("Zentor7", "MSSQL", {"SERVER NAME=  SRVDATOS\\PRODUCCION ", "DATABASE NAME=GENTE"});

TEST_F(UnattendedTest, WritesWhatTheWindowWritesAndLogsEveryStep) {
    std::string byTheWindow;
    {
        Workstation station(kCatalogue);
        RunningApp app(station.Exe(), station.Folder());
        ClickButton(FindDescendant(app.Window(), L"Button", L"&Importar"));
        const HWND box = WaitForMessageBox(app.GetProcess().Id(), kRunBound);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(app.Close(), 0u);
        byTheWindow = test::ReadBytes(kOutputFile);
    }
    ASSERT_NE(byTheWindow.find("[CONTABLE]"), std::string::npos);
    ASSERT_TRUE(DeleteFileW(kOutputFile.c_str()));

    Workstation station(kCatalogue);
    const fs::path log = station.Folder() / L"registro de migración.log";
    test::WriteBytes(log, "an earlier line\r\n");
    const Outcome outcome = RunWithArguments(station, L"/importar \"/registro=" + log.wstring() + L"\"");
    EXPECT_EQ(outcome.exitCode, 0u);
    EXPECT_EQ(test::ReadBytes(kOutputFile), byTheWindow);
    EXPECT_TRUE(outcome.windowsShown.empty()) << testing::PrintToString(outcome.windowsShown);
    EXPECT_TRUE(station.Reports().empty()) << "the error module was called";
    EXPECT_FALSE(fs::exists(station.OpenLog())) << "the file was opened";

    const std::string text = test::ReadBytes(log);
    ASSERT_EQ(text.rfind("an earlier line\r\n", 0), 0u) << "the log is appended to, not replaced";
    const std::string appended = text.substr(17);
    const std::vector<std::string> events = Events(appended);
    ASSERT_EQ(events.size(), 11u) << appended;
    EXPECT_EQ(events[0].rfind("Inicio: ZtGnImcon 16.", 0), 0u) << events[0];
    EXPECT_NE(events[0].find("; argumentos: /importar \"/registro=" + Utf8(log.wstring()) + "\""),
              std::string::npos)
        << events[0];
    EXPECT_EQ(events[1],
              "Motor de base de datos encontrado: " + Utf8((station.Folder() / L"IDAPI32.DLL").wstring()) +
                  " (4 alias en el cat\xC3\xA1logo)");
    const std::vector<std::string> rest(events.begin() + 2, events.end());
    EXPECT_EQ(rest,
              (std::vector<std::string>{"Motor detectado: SQL Server (tipo de controlador de Zentor7: MSSQL)",
                                        "Alias a importar: 3", "Escribiendo Archivo de Conexiones Alvenor",
                                        "Generando Alias: NOMINA", "Generando Alias: CONTABLE",
                                        "Generando Alias: Zentor7", "Guardando Archivo...",
                                        "Archivo de Conexiones generado en la ruta: "
                                        "C:\\zentor\\version\\Conexiones.ini",
                                        "Fin: c\xC3\xB3"
                                        "digo de salida 0"}));
    EXPECT_EQ(outcome.output, appended) << "the same lines go to the output it was started with";
}

TEST_F(UnattendedTest, ServerAndDatabaseImposedAsTheOverrideWouldForEachEngine) {
    struct Case {
        const char* name;
        std::string catalogue;
        std::wstring arguments;
        std::string expected;
        const char* event; // one the log must hold
    };
    // FALLA_ aliases cannot be read by this engine: with the override on, none is read.
    const Case cases[] = {
        {"SQL Server, values trimmed",
         Alias("Zentor7", "MSSQL", {"SERVER NAME=VIEJO"}) + Alias("FALLA_Dos", "MSSQL", {}),
         L"/importar \"/servidor= SRVNUEVO\t\" /basedatos=NOMINADB",
         CrLf({"[Zentor7]", "DriverID=MSSQL", "Server=SRVNUEVO", "DataBase=NOMINADB",
               "User_Name=", "Password=", "", "[FALLA_Dos]", "DriverID=MSSQL", "Server=SRVNUEVO",
               "DataBase=NOMINADB", "User_Name=", "Password=", ""}),
         "Nuevos par\xC3\xA1metros: servidor \" SRVNUEVO\t\", base de datos \"NOMINADB\""},
        {"ORACLE takes no server",
         Alias("Zentor7", "ORACLE", {"SERVER NAME=VIEJO"}) + Alias("FALLA_Dos", "ORACLE", {}),
         L"-IMPORTAR -Servidor=IGNORADO -BaseDatos=ORADB",
         CrLf({"[Zentor7]", "DriverID=ORA", "DataBase=ORADB", "User_Name=", "Password=", "", "[FALLA_Dos]",
               "DriverID=ORA", "DataBase=ORADB", "User_Name=", "Password=", ""}),
         "Con ORACLE no se asigna servidor: /servidor no se usa"},
        {"PostgreSQL, both needed",
         Alias("Zentor7", "POSTGRESQL ANSI", {"SERVER NAME=VIEJO"}) +
             Alias("FALLA_Dos", "postgresql ansi", {}),
         L"/SERVIDOR=pg1 /importar /basedatos=Contabilidad\u00F1",
         CrLf({"[Zentor7]", "DriverID=PG", "Server=pg1", "DataBase=Contabilidad\xF1",
               "User_Name=", "Password=", "", "[FALLA_Dos]", "DriverID=PG", "Server=pg1",
               "DataBase=Contabilidad\xF1", "User_Name=", "Password=", ""}),
         "Motor detectado: PostgreSQL (tipo de controlador de Zentor7: POSTGRESQL ANSI)"},
        {"no engine detected: no driver line", Alias("Zentor7", "STANDARD", {"SERVER NAME=VIEJO"}),
         L"/importar /basedatos=D /servidor=S",
         CrLf({"[Zentor7]", "Server=S", "DataBase=D", "User_Name=", "Password=", ""}),
         "Motor detectado: ninguno (tipo de controlador de Zentor7: STANDARD)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteFileW(kOutputFile.c_str());
        Workstation station(c.catalogue, {.engineFolder = L"engine-unreadable-branch"});
        const fs::path log = station.Folder() / L"run.log";
        const Outcome outcome = RunWithArguments(station, c.arguments + L" /registro=" + log.wstring());
        EXPECT_EQ(outcome.exitCode, 0u) << outcome.output;
        EXPECT_EQ(test::ReadBytes(kOutputFile), c.expected);
        EXPECT_TRUE(Contains(Events(test::ReadBytes(log)), c.event)) << outcome.output;
        EXPECT_TRUE(outcome.windowsShown.empty()) << testing::PrintToString(outcome.windowsShown);
        EXPECT_TRUE(station.Reports().empty());
    }
}

const std::string kOldFile = "[VIEJO]\r\nServer=ajustado a mano\r\n";

TEST_F(UnattendedTest, EachRefusalHasItsExitCodeAndMessageAndKeepsTheOldFile) {
    struct Case {
        const char* name;
        std::string catalogue;
        WorkstationSetup setup;
        std::wstring arguments;
        DWORD marks;       // put on the old file
        bool removeFolder; // no C:\zentor\version at all
        bool otherRun;     // another run holds the workstation
        DWORD exitCode;
        std::string message;
    };
    const std::string mssql = Alias("Zentor7", "MSSQL", {"SERVER NAME=S"});
    const std::string cannotCreate = "Cannot create file \"C:\\zentor\\version\\Conexiones.ini\". ";
    const Case cases[] = {
        {"no engine",
         mssql,
         {.engineFolder = L""},
         L"",
         0,
         false,
         false,
         3,
         "An error occurred while attempting to initialize the Borland Database Engine (error $2108)"},
        {"no Zentor7",
         Alias("NOMINA", "MSSQL", {}),
         {},
         L"",
         0,
         false,
         false,
         4,
         "Alias Zentor7 no encontrado. Valide por favor y vuelva a ejecutar la aplicaci\xC3\xB3n."},
        {"PostgreSQL without server and database",
         Alias("Zentor7", "POSTGRESQL ANSI", {}),
         {},
         L"",
         0,
         false,
         false,
         4,
         "Debe ingresar un nombre de servidor v\xC3\xA1lido."},
        {"a server of blanks",
         mssql,
         {},
         L"\"/servidor=  \" /basedatos=D",
         0,
         false,
         false,
         4,
         "Debe ingresar un nombre de servidor v\xC3\xA1lido."},
        {"SQL Server with a server only",
         mssql,
         {},
         L"/servidor=S",
         0,
         false,
         false,
         4,
         "Debe ingresar un nombre de Base de Datos v\xC3\xA1lido."},
        {"ORACLE with a server only",
         Alias("Zentor7", "ORACLE", {}),
         {},
         L"/servidor=S",
         0,
         false,
         false,
         4,
         "Debe ingresar un nombre de Base de Datos v\xC3\xA1lido."},
        {"read-only file",
         mssql,
         {},
         L"",
         FILE_ATTRIBUTE_READONLY,
         false,
         false,
         5,
         cannotCreate + Utf8(SysErrorMessage(ERROR_ACCESS_DENIED))},
        {"hidden file",
         mssql,
         {},
         L"",
         FILE_ATTRIBUTE_HIDDEN,
         false,
         false,
         5,
         cannotCreate + Utf8(SysErrorMessage(ERROR_ACCESS_DENIED))},
        {"system file",
         mssql,
         {},
         L"",
         FILE_ATTRIBUTE_SYSTEM,
         false,
         false,
         5,
         cannotCreate + Utf8(SysErrorMessage(ERROR_ACCESS_DENIED))},
        {"no output folder",
         mssql,
         {},
         L"",
         0,
         true,
         false,
         5,
         cannotCreate + Utf8(SysErrorMessage(ERROR_PATH_NOT_FOUND))},
        {"an alias whose parameters cannot be read",
         Alias("Uno", "MSSQL", {"SERVER NAME=S1"}) + Alias("FALLA_Dos", "MSSQL", {}) + mssql,
         {.engineFolder = L"engine-unreadable-branch"},
         L"",
         0,
         false,
         false,
         5,
         ""},
        {"another run under way", mssql, {}, L"", 0, false, true, 6, Utf8(kMensajeCorridaEnCurso)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        test::WriteBytes(kOutputFile, kOldFile);
        if (c.marks != 0) {
            ASSERT_TRUE(SetFileAttributesW(kOutputFile.c_str(), c.marks));
        }
        if (c.removeFolder) {
            DeleteFileW(kOutputFile.c_str());
            ASSERT_TRUE(RemoveDirectoryW(kOutputFolder.c_str()));
        }
        HANDLE held = nullptr;
        if (c.otherRun) {
            held = CreateMutexW(nullptr, TRUE, kNombreCorridaUnica);
            ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS))
                << "the workstation was already held";
        }
        Workstation station(c.catalogue, c.setup);
        const fs::path log = station.Folder() / L"run.log";
        const Outcome outcome =
            RunWithArguments(station, L"/importar /registro=" + log.wstring() + L" " + c.arguments);
        if (held != nullptr) {
            ReleaseMutex(held);
            CloseHandle(held);
        }
        EXPECT_EQ(outcome.exitCode, c.exitCode) << outcome.output;
        const std::string text = test::ReadBytes(log);
        EXPECT_EQ(text.rfind("\xEF\xBB\xBF", 0), 0u) << "a new log starts with the byte-order mark";
        const std::vector<std::string> events = Events(text);
        ASSERT_GE(events.size(), 2u);
        EXPECT_EQ(events.back(), "Fin: c\xC3\xB3"
                                 "digo de salida " +
                                     std::to_string(c.exitCode));
        const std::string error = events[events.size() - 2];
        if (c.message.empty())
            EXPECT_EQ(error.rfind("Error: ", 0), 0u) << error;
        else
            EXPECT_EQ(error, "Error: " + c.message);
        if (c.removeFolder) {
            EXPECT_FALSE(fs::exists(kOutputFolder));
            CreateDirectoryW(kOutputFolder.c_str(), nullptr);
        } else {
            EXPECT_EQ(test::ReadBytes(kOutputFile), kOldFile);
            EXPECT_EQ(OutputEntries(), std::set<std::wstring>{L"Conexiones.ini"})
                << "a temporary file was left";
            EXPECT_EQ(GetFileAttributesW(kOutputFile.c_str()) & c.marks, c.marks) << "the file lost a mark";
        }
        EXPECT_TRUE(outcome.windowsShown.empty()) << testing::PrintToString(outcome.windowsShown);
        EXPECT_TRUE(station.Reports().empty()) << "the error module was called";
        EXPECT_FALSE(fs::exists(station.OpenLog()));
        SetFileAttributesW(kOutputFile.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST_F(UnattendedTest, AnEngineThatCrashesEndsTheRunWithoutSuccess) {
    test::WriteBytes(kOutputFile, kOldFile);
    Workstation station(Alias("Zentor7", "MSSQL", {}), {.engineFolder = L"engine-crashing"});
    const fs::path log = station.Folder() / L"run.log";
    const Outcome outcome = RunWithArguments(station, L"/importar /registro=" + log.wstring());
    EXPECT_GE(outcome.exitCode, 0xC0000000u) << "the system's code for the crash, never 0";
    const std::vector<std::string> events = Events(test::ReadBytes(log));
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back().rfind("Inicio: ", 0), 0u)
        << "the log ends where the run stopped: " << events.back();
    EXPECT_EQ(test::ReadBytes(kOutputFile), kOldFile);
    EXPECT_TRUE(outcome.windowsShown.empty()) << testing::PrintToString(outcome.windowsShown);
    EXPECT_TRUE(station.Reports().empty());
}

TEST_F(UnattendedTest, AParameterFetchErrorIsLoggedAsTheWindowReportsIt) {
    const std::string catalogue = Alias("Uno", "MSSQL", {"SERVER NAME=S1"}) +
                                  Alias("FALLA_Dos", "MSSQL", {}) + Alias("Zentor7", "MSSQL", {});
    std::string reported;
    {
        Workstation station(catalogue, {.engineFolder = L"engine-unreadable-branch"});
        RunningApp app(station.Exe(), station.Folder());
        ClickButton(FindDescendant(app.Window(), L"Button", L"&Importar"));
        reported = station.WaitForReports(1).front();
        EXPECT_EQ(app.Close(), 0u);
    }
    Workstation station(catalogue, {.engineFolder = L"engine-unreadable-branch"});
    const fs::path log = station.Folder() / L"run.log";
    const Outcome outcome = RunWithArguments(station, L"/importar /registro=" + log.wstring());
    EXPECT_EQ(outcome.exitCode, 5u);
    const std::vector<std::string> events = Events(test::ReadBytes(log));
    ASSERT_GE(events.size(), 2u);
    const std::string error = events[events.size() - 2];
    ASSERT_EQ(error.rfind("Error: ", 0), 0u) << error;
    EXPECT_NE(error.find("FALLA_Dos"), std::string::npos) << error;
    EXPECT_TRUE(HasText(reported, "message", Json(error.substr(7)))) << reported << "\n" << error;
}

TEST_F(UnattendedTest, BadCommandLinesRunNothing) {
    struct Case {
        std::wstring arguments; // a log is added after them
        std::string reason;
    };
    const Case cases[] = {
        {L"/importar /rapido", "modificador desconocido: \"/rapido\""},
        {L"importar", "argumento no reconocido: \"importar\""},
        {L"/importar /servidor", "\"/servidor\" se escribe /servidor=VALOR"},
        {L"/importar=si", "\"/importar\" no lleva valor"},
        {L"/importar /basedatos=A -BASEDATOS=B", "modificador repetido: \"/basedatos\""},
        {L"/servidor=S", "/servidor, /basedatos y /registro solo se usan con /importar"},
    };
    test::WriteBytes(kOutputFile, kOldFile);
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.arguments));
        Workstation station(Alias("Zentor7", "MSSQL", {"SERVER NAME=S"}));
        const fs::path log = station.Folder() / L"run.log";
        const Outcome outcome = RunWithArguments(station, c.arguments + L" /registro=" + log.wstring());
        EXPECT_EQ(outcome.exitCode, 2u);
        const std::vector<std::string> events = Events(test::ReadBytes(log));
        ASSERT_EQ(events.size(), 3u);
        EXPECT_EQ(events[1],
                  "L\xC3\xADnea de comandos incorrecta: " + c.reason + ". Use /? para ver el uso.");
        EXPECT_EQ(events[2], "Fin: c\xC3\xB3"
                             "digo de salida 2");
        EXPECT_EQ(test::ReadBytes(kOutputFile), kOldFile);
        EXPECT_TRUE(outcome.windowsShown.empty()) << testing::PrintToString(outcome.windowsShown);
        EXPECT_TRUE(station.Reports().empty());
    }
    // Without /registro the output still says why; a log that cannot be opened is refused the same way.
    Workstation station(Alias("Zentor7", "MSSQL", {"SERVER NAME=S"}));
    Outcome outcome = RunWithArguments(station, L"-importar -importar");
    EXPECT_EQ(outcome.exitCode, 2u);
    EXPECT_NE(outcome.output.find("modificador repetido: \"/importar\""), std::string::npos)
        << outcome.output;
    outcome = RunWithArguments(station, L"/importar /registro=C:\\no\\existe\\run.log");
    EXPECT_EQ(outcome.exitCode, 2u);
    EXPECT_NE(outcome.output.find("Error: No se puede abrir el registro \"C:\\no\\existe\\run.log\". "),
              std::string::npos)
        << outcome.output;
    EXPECT_TRUE(outcome.windowsShown.empty()) << testing::PrintToString(outcome.windowsShown);
    EXPECT_EQ(test::ReadBytes(kOutputFile), kOldFile);
}

TEST_F(UnattendedTest, UsageIsShownInAMessageBoxThatAPersonAnswers) {
    Workstation station(Alias("Zentor7", "MSSQL", {}));
    std::optional<MessageBoxInfo> box;
    // Answered only once the watch has seen it, so that the watch is shown to see a window.
    const Outcome outcome =
        RunWithArguments(station, L"/?", [&](DWORD processId, const std::vector<std::wstring>& seen) {
            const std::vector<HWND> boxes = MessageBoxes(processId);
            if (boxes.empty() || box || std::find(seen.begin(), seen.end(), L"visible #32770") == seen.end())
                return;
            box = ReadMessageBox(boxes.front());
            PostMessageW(boxes.front(), WM_COMMAND, IDOK, 0);
        });
    ASSERT_TRUE(box.has_value()) << "no message box";
    EXPECT_EQ(box->title, L"Importar Conexiones BDE a Alvenor");
    EXPECT_EQ(
        box->text.rfind(
            L"Uso: ZtGnImcon [/importar [/servidor=NOMBRE] [/basedatos=NOMBRE] [/registro=ARCHIVO]]", 0),
        0u)
        << Utf8(box->text);
    EXPECT_NE(box->text.find(L"C\u00F3digos de salida:"), std::wstring::npos) << Utf8(box->text);
    EXPECT_EQ(outcome.exitCode, 2u);
    // The watch that finds no window in the other tests sees this one.
    EXPECT_NE(std::find(outcome.windowsShown.begin(), outcome.windowsShown.end(), L"visible #32770"),
              outcome.windowsShown.end())
        << testing::PrintToString(outcome.windowsShown);
    EXPECT_FALSE(fs::exists(kOutputFile));
}

TEST_F(UnattendedTest, TheWindowTooRefusesARunWhileAnotherHoldsTheWorkstation) {
    test::WriteBytes(kOutputFile, kOldFile);
    Workstation station(Alias("Zentor7", "MSSQL", {"SERVER NAME=S"}));
    RunningApp app(station.Exe(), station.Folder());
    const HANDLE held = CreateMutexW(nullptr, TRUE, kNombreCorridaUnica);
    ClickButton(FindDescendant(app.Window(), L"Button", L"&Importar"));
    const std::vector<std::string> reports = station.WaitForReports(1);
    ReleaseMutex(held);
    CloseHandle(held);
    EXPECT_TRUE(HasText(reports.front(), "message", Utf8(kMensajeCorridaEnCurso))) << reports.front();
    EXPECT_EQ(test::ReadBytes(kOutputFile), kOldFile);
    EXPECT_TRUE(TopWindows(app.GetProcess().Id(), L"TFrmInfoP50").empty());
    // Once the other run is over, the window runs.
    ClickButton(FindDescendant(app.Window(), L"Button", L"&Importar"));
    const HWND box = WaitForMessageBox(app.GetProcess().Id(), kRunBound);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(app.Close(), 0u);
    EXPECT_NE(test::ReadBytes(kOutputFile), kOldFile);
}

} // namespace
} // namespace zt::e2e

namespace zt::e2e {
namespace {

// The lines of a console's screen buffer that hold text.
std::vector<std::wstring> ConsoleLines(HANDLE screen) {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    std::vector<std::wstring> lines;
    if (!GetConsoleScreenBufferInfo(screen, &info))
        return lines;
    for (SHORT row = 0; row <= info.dwCursorPosition.Y; ++row) {
        std::wstring line(static_cast<std::size_t>(info.dwSize.X), L' ');
        DWORD read = 0;
        ReadConsoleOutputCharacterW(screen, line.data(), static_cast<DWORD>(line.size()), COORD{0, row},
                                    &read);
        line.erase(line.find_last_not_of(L' ') + 1);
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

std::wstring ComputerName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    GetComputerNameW(name, &length);
    return std::wstring(name, length);
}

TEST_F(UnattendedTest, StartedFromAConsoleItWritesTheLogThere) {
    // A console of this test's own, wide enough that no line wraps, which the program started from here
    // shares.
    FreeConsole();
    ASSERT_TRUE(AllocConsole()) << GetLastError();
    const HANDLE screen = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(screen, INVALID_HANDLE_VALUE);
    SetConsoleScreenBufferSize(screen, COORD{400, 100});
    Workstation station(Alias("Zentor7", "MSSQL", {"SERVER NAME=S"}));
    Process process = Process::LaunchHeld(station.Exe().wstring(), station.Folder().wstring(), L"/importar");
    process.Resume();
    const DWORD exitCode = process.WaitForExit(kRunBound);
    std::string shown;
    for (const std::wstring& line : ConsoleLines(screen))
        shown += Utf8(line) + "\r\n";
    CloseHandle(screen);
    FreeConsole();
    EXPECT_EQ(exitCode, 0u);
    const std::vector<std::string> events = Events(shown);
    ASSERT_EQ(events.size(), 9u) << shown;
    EXPECT_EQ(events[0], "Inicio: ZtGnImcon 16.0.1.1 en " + Utf8(ComputerName()) + "; argumentos: /importar");
    EXPECT_EQ(events[7], "Archivo de Conexiones generado en la ruta: C:\\zentor\\version\\Conexiones.ini");
    EXPECT_EQ(events[8], "Fin: c\xC3\xB3"
                         "digo de salida 0");
}

} // namespace
} // namespace zt::e2e
