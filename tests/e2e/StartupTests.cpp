// What the window shows after start-up on different catalogues and failures, and the checks that
// guard a generation, each with its message and the focus it leaves.
#include "Input.h"
#include "MainWindow.h"
#include "Workstation.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <windows.h>

namespace zt::e2e {
namespace {

const wchar_t* const kEngineItems[] = {L"&SQL Server", L"&ORACLE", L"&PostgreSQL"};

int EngineIndex(HWND top) {
    for (int i = 0; i < 3; ++i)
        if (SendMessageW(FindDescendant(top, L"Button", kEngineItems[i]), BM_GETCHECK, 0, 0) == BST_CHECKED)
            return i;
    return -1;
}

HWND OverrideBox(HWND top) {
    return FindDescendant(top, L"Button", L"Asignar nuevos parámetros ");
}

std::vector<std::wstring> Listed(HWND top, bool& allTicked) {
    std::vector<std::wstring> names;
    allTicked = true;
    for (const ListItem& item : ListBoxItems(AliasList(top))) {
        names.push_back(item.text);
        allTicked = allTicked && item.data == 1;
    }
    return names;
}

struct DiscoveryCase {
    const char* name;
    std::string catalogue;
    WorkstationSetup setup;
    std::vector<std::wstring> listed;
    int engineIndex;
    bool overrideTicked;
    const char* report; // the message reported at start-up, if any
};

TEST(Startup, DiscoveryListsTheAliasesOfZentor7sDriverType) {
    const DiscoveryCase cases[] = {
        {"STANDARD: no engine, every standard alias in any letter case",
         Alias("Datos", "standard", {}) + Alias("Zentor7", "STANDARD", {}) + Alias("Nomina", "MSSQL", {}),
         {},
         {L"Datos", L"Zentor7"},
         -1,
         false,
         nullptr},
        {"POSTGRESQL without ANSI selects no engine",
         Alias("Zentor7", "POSTGRESQL", {}) + Alias("Ventas", "postgresql", {}),
         {},
         {L"Zentor7", L"Ventas"},
         -1,
         false,
         nullptr},
        {"Zentor7 in another letter case; names with Spanish letters arrive unchanged",
         Alias("ZENTOR7", "MSSQL", {}) + Alias("Conta", "Mssql", {}) +
             Alias("Pe\xC3\xB1"
                   "alara_A\xC3\xB1o",
                   "MSSQL", {}),
         {},
         {L"ZENTOR7", L"Conta", L"Peñalara_Año"},
         0,
         false,
         nullptr},
        {"an unreadable description stops the listing there",
         Alias("Primero", "ORACLE", {}) + Alias("Zentor7", "ORACLE", {}) + Alias("SinTipo", nullptr, {}) +
             Alias("Despues", "ORACLE", {}),
         {},
         {L"Primero", L"Zentor7"},
         1,
         false,
         "Invalid alias name SinTipo"},
        {"an empty catalogue",
         "",
         {},
         {},
         -1,
         false,
         "Alias Zentor7 no encontrado. Valide por favor y vuelva a ejecutar la aplicaci\xC3\xB3n."},
        {"no engine library anywhere",
         Alias("Zentor7", "MSSQL", {}),
         {.engineFolder = L""},
         {},
         -1,
         false,
         "An error occurred while attempting to initialize the Borland Database Engine (error $2108)"},
    };
    for (const DiscoveryCase& c : cases) {
        SCOPED_TRACE(c.name);
        Workstation station(c.catalogue, c.setup);
        RunningApp app(station.Exe(), station.Folder());
        bool allTicked = false;
        EXPECT_EQ(Listed(app.Window(), allTicked), c.listed);
        EXPECT_TRUE(allTicked);
        EXPECT_EQ(EngineIndex(app.Window()), c.engineIndex);
        EXPECT_EQ(SendMessageW(OverrideBox(app.Window()), BM_GETCHECK, 0, 0) == BST_CHECKED,
                  c.overrideTicked);
        for (HWND edit : OverrideEdits(app.Window()))
            EXPECT_FALSE(IsWindowEnabled(edit));
        const std::vector<std::string> reports =
            c.report != nullptr ? station.WaitForReports(1) : station.Reports();
        if (c.report == nullptr) {
            EXPECT_TRUE(reports.empty()) << reports.front();
        } else {
            ASSERT_EQ(reports.size(), 1u);
            EXPECT_TRUE(HasText(reports[0], "message", c.report)) << reports[0];
            EXPECT_TRUE(HasText(reports[0], "kind", "X")) << reports[0];
        }
        EXPECT_EQ(app.Close(), 0u);
    }
}

TEST(Startup, EveryClickOnTheOverrideBoxEmptiesTheEditsAndEnablesWhatTheEngineNeeds) {
    struct Case {
        const char* zentor7Type;
        bool serverNeeded; // the server's label and edit follow the box
        bool pinned;       // PostgreSQL: the box cannot be unticked
    };
    const Case cases[] = {
        {"MSSQL", true, false},
        {"TABLAS", true, false}, // no engine behaves like SQL Server
        {"ORACLE", false, false},
        {"POSTGRESQL ANSI", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.zentor7Type);
        Workstation station(Alias("Zentor7", c.zentor7Type, {"SERVER NAME=SRV"}));
        RunningApp app(station.Exe(), station.Folder());
        const HWND top = app.Window();
        const HWND box = OverrideBox(top);
        const std::vector<HWND> edits = OverrideEdits(top);
        ASSERT_EQ(edits.size(), 2u);
        // Server label and edit, database label and edit.
        const HWND block[] = {FindDescendant(top, L"Static", L"Servidor"), edits[0],
                              FindDescendant(top, L"Static", L"Base de Datos"), edits[1]};
        const auto ticked = [&] { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; };
        const auto enabled = [&] {
            std::vector<bool> states;
            for (HWND control : block)
                states.push_back(IsWindowEnabled(control) != FALSE);
            return states;
        };
        const std::vector<bool> none(4, false);
        const std::vector<bool> onTicked = {c.serverNeeded, c.serverNeeded, true, true};
        // Text in both edits (set directly, also into a disabled one), then a click; it is handled
        // once the box shows the expected state and both edits are empty.
        const auto fillAndClick = [&](bool tickedAfter) {
            for (HWND edit : edits)
                SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"escrito antes"));
            ClickButton(box);
            WaitFor(
                [&] { return ticked() == tickedAfter && Text(edits[0]).empty() && Text(edits[1]).empty(); },
                "the click on the override box handled");
        };
        if (c.pinned) {
            ASSERT_TRUE(ticked());
            EXPECT_EQ(enabled(), onTicked);
            fillAndClick(true); // unticked for a moment, ticked again at once, typing lost
            EXPECT_EQ(enabled(), onTicked);
        } else {
            ASSERT_FALSE(ticked());
            EXPECT_EQ(enabled(), none);
            fillAndClick(true);
            EXPECT_EQ(enabled(), onTicked);
            fillAndClick(false);
            EXPECT_EQ(enabled(), none);
            fillAndClick(true); // ticking again empties what was there before
            EXPECT_EQ(enabled(), onTicked);
        }
        EXPECT_TRUE(station.Reports().empty());
        EXPECT_EQ(app.Close(), 0u);
    }
}

enum class Focus { Server, Database, List };

struct CheckCase {
    const char* name;
    const char* zentor7Type;
    bool tickOverride; // the user ticks the override box
    const wchar_t* server;
    const wchar_t* database;
    bool untickAliases;
    const char* message;
    Focus focus;
};

TEST(Startup, ChecksRefuseARunWithOneMessageAndMoveTheFocus) {
    const char* const kServer = "Debe ingresar un nombre de servidor v\xC3\xA1lido.";
    const char* const kDatabase = "Debe ingresar un nombre de Base de Datos v\xC3\xA1lido.";
    const char* const kAlias = "Debe seleccionar al menos un alias para importar.";
    const CheckCase cases[] = {
        {"SQL Server, both empty: the server first", "MSSQL", true, L"", L"", true, kServer, Focus::Server},
        {"blanks and tabs count as empty", "MSSQL", true, L" \t  ", L"BASE", false, kServer, Focus::Server},
        {"a server with inner blanks passes, the database is missing", "MSSQL", true, L"\tSRV 1 ", L" ",
         false, kDatabase, Focus::Database},
        {"ORACLE needs no server", "ORACLE", true, L"", L"", true, kDatabase, Focus::Database},
        {"no engine behaves like SQL Server", "TABLAS", true, L"", L"", false, kServer, Focus::Server},
        {"PostgreSQL ticks the box by itself", "POSTGRESQL ANSI", false, L"", L"", false, kServer,
         Focus::Server},
        {"box not ticked: only the alias selection counts", "MSSQL", false, L"", L"", true, kAlias,
         Focus::List},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.name);
        Workstation station(Alias("Zentor7", c.zentor7Type, {"SERVER NAME=SRV"}));
        RunningApp app(station.Exe(), station.Folder());
        const HWND top = app.Window();
        if (c.tickOverride) {
            ClickButton(OverrideBox(top));
            WaitFor([&] { return SendMessageW(OverrideBox(top), BM_GETCHECK, 0, 0) == BST_CHECKED; },
                    "the override box ticked");
        }
        const std::vector<HWND> edits = OverrideEdits(top);
        ASSERT_EQ(edits.size(), 2u);
        EXPECT_EQ(IsWindowEnabled(edits[0]) != FALSE,
                  std::string(c.zentor7Type) != "ORACLE" &&
                      (c.tickOverride || std::string(c.zentor7Type) == "POSTGRESQL ANSI"));
        for (int i = 0; i < 2; ++i)
            if (IsWindowEnabled(edits[i]))
                SendMessageW(edits[i], WM_SETTEXT, 0,
                             reinterpret_cast<LPARAM>(i == 0 ? c.server : c.database));
        if (c.untickAliases) {
            const HWND list = AliasList(top);
            RECT item{};
            SendMessageW(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
            MouseClick(list, POINT{item.left + 6, (item.top + item.bottom) / 2});
            WaitFor([&] { return ListBoxItems(list)[0].data == 0; }, "Zentor7 unticked");
        }
        ClickButton(FindDescendant(top, L"Button", L"&Importar"));
        const std::vector<std::string> reports = station.WaitForReports(1);
        const HWND expected = c.focus == Focus::Server     ? edits[0]
                              : c.focus == Focus::Database ? edits[1]
                                                           : AliasList(top);
        EXPECT_EQ(WaitForFocus(top, expected), expected);
        ASSERT_EQ(station.Reports().size(), 1u) << "one message per click";
        EXPECT_TRUE(HasText(reports[0], "message", c.message)) << reports[0];
        EXPECT_TRUE(MessageBoxes(app.GetProcess().Id()).empty()) << "the run did not start";
        EXPECT_EQ(app.Close(), 0u);
    }
}

TEST(Startup, WithoutAVersionResourceTheWindowOpensWithTheLayoutsCaption) {
    Workstation station(Alias("Zentor7", "MSSQL", {"SERVER NAME=SRV"}),
                        {.program = L"ZtGnImcon_noversion.exe"});
    RunningApp app(station.Exe(), station.Folder());
    const std::vector<std::string> reports = station.WaitForReports(1);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_TRUE(HasText(reports[0], "class", "EOSError")) << reports[0];
    EXPECT_TRUE(HasText(reports[0], "kind", "X")) << reports[0];
    EXPECT_TRUE(Has(reports[0], "ownerVisible", "false")) << reports[0];
    EXPECT_EQ(Text(app.Window()), L"GESTIÓN Y ADMÓN. DE REC. HUMANOS - Importar Conexiones BDE a Alvenor");
    EXPECT_TRUE(ListBoxItems(AliasList(app.Window())).empty()) << "discovery did not run";
    EXPECT_EQ(EngineIndex(app.Window()), -1);

    ClickButton(FindDescendant(app.Window(), L"Button", L"&Importar"));
    const std::vector<std::string> after = station.WaitForReports(2);
    EXPECT_TRUE(HasText(after[1], "message", "Debe seleccionar al menos un alias para importar."))
        << after[1];
    EXPECT_EQ(app.Close(), 0u);
}

TEST(Startup, WithoutAFileVersionTheCaptionEndsInEmptyParentheses) {
    Workstation station(Alias("Zentor7", "MSSQL", {"SERVER NAME=SRV"}),
                        {.program = L"ZtGnImcon_nofileversion.exe"});
    RunningApp app(station.Exe(), station.Folder());
    EXPECT_EQ(Text(app.Window()), L"GESTIÓN GENERAL - Importar Conexiones BDE a Alvenor ()");
    EXPECT_EQ(ListBoxItems(AliasList(app.Window())).size(), 1u) << "discovery ran";
    EXPECT_TRUE(station.Reports().empty());
    EXPECT_EQ(app.Close(), 0u);
}

} // namespace
} // namespace zt::e2e
