// The main window of the real executable, driven from outside as a user would.
#include "Input.h"
#include "MainWindow.h"
#include "SystemDpi.h"
#include "tests/support/ScratchFolder.h"

#include <cmath>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace zt::e2e {
namespace {

using test::ExecutableFolder;
using test::ScratchFolder;

// What the user sees of each control: where it is in the window tree (child indices in z-order,
// which is the tab order), its class, text, place at 96 dpi and state.
struct ExpectedControl {
    const char* name;
    std::vector<int> path;
    const wchar_t* className;
    const wchar_t* text;
    std::optional<Rect> at96; // relative to the parent's client area
    bool enabled;
    LONG styleBits = 0; // all of these must be set
    // Sized to its caption in the font in use, never below the table's width: a face wider than the
    // designer's (Wine's own Tahoma is, by a few pixels) widens it.
    bool growsWithText = false;
};

const wchar_t* const kBlanks51 = L"                                                   ";

const std::vector<ExpectedControl>& Controls() {
    static const std::vector<ExpectedControl> controls = {
        {"PnlMotor", {0}, L"ZtPanel", L"", Rect{0, 0, 609, 61}, true},
        {"Panel3", {0, 0}, L"ZtPanel", L"", Rect{425, 0, 184, 61}, true},
        {"Image1", {0, 0, 0}, L"ZtImage", L"", Rect{1, 1, 182, 59}, true},
        {"RdgTipMoto", {0, 1}, L"ZtGroupBox", L" Motor a Generar ", Rect{0, 0, 424, 61}, false},
        {"RdgTipMoto item 0", {0, 1, 0}, L"Button", L"&SQL Server", std::nullopt, false, BS_RADIOBUTTON},
        {"RdgTipMoto item 1", {0, 1, 1}, L"Button", L"&ORACLE", std::nullopt, false, BS_RADIOBUTTON},
        {"RdgTipMoto item 2", {0, 1, 2}, L"Button", L"&PostgreSQL", std::nullopt, false, BS_RADIOBUTTON},
        {"GrbConfiguracion", {1}, L"ZtGroupBox", kBlanks51, Rect{0, 61, 609, 62}, true},
        {"ChkNewParam",
         {1, 0},
         L"Button",
         L"Asignar nuevos parámetros ",
         Rect{11, -1, 152, 17},
         true,
         BS_CHECKBOX | WS_TABSTOP,
         true},
        {"EdtServidor", {1, 1}, L"Edit", L"", Rect{104, 32, 185, 21}, false, ES_AUTOHSCROLL | WS_TABSTOP},
        {"EdtBaseDatos", {1, 2}, L"Edit", L"", Rect{320, 32, 185, 21}, false, ES_AUTOHSCROLL | WS_TABSTOP},
        {"LblServidor", {1, 3}, L"Static", L"Servidor", Rect{104, 16, 40, 13}, false, 0, true},
        {"LblBaseDatos", {1, 4}, L"Static", L"Base de Datos", Rect{320, 16, 69, 13}, false, 0, true},
        {"GrbAlias", {2}, L"ZtGroupBox", L" Alias Importados ", Rect{0, 123, 609, 130}, true},
        {"ChkLBAlias",
         {2, 0},
         L"ListBox",
         L"",
         Rect{2, 15, 605, 113},
         true,
         LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_MULTICOLUMN | LBS_NOINTEGRALHEIGHT | WS_TABSTOP},
        {"PnlImportar", {3}, L"ZtPanel", L"", Rect{0, 253, 609, 54}, true},
        {"BtnImportar", {3, 0}, L"Button", L"&Importar", Rect{267, 17, 75, 25}, true, WS_TABSTOP},
    };
    return controls;
}

HWND At(HWND top, const std::vector<int>& path) {
    HWND hwnd = top;
    for (const int index : path) {
        const std::vector<HWND> children = Children(hwnd);
        if (index >= static_cast<int>(children.size()))
            return nullptr;
        hwnd = children[static_cast<std::size_t>(index)];
    }
    return hwnd;
}

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(towlower(c));
    return text;
}

class MainWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { UsePhysicalPixels(); }

    ScratchFolder folder;
    const std::filesystem::path exe = folder.CopyIn(ExecutableFolder() / L"ZtGnImcon.exe");

    RunningApp Start() { return RunningApp(exe, folder.Path()); }
    HWND Control(HWND top, const char* name) {
        for (const ExpectedControl& c : Controls())
            if (std::string(c.name) == name)
                return At(top, c.path);
        return nullptr;
    }
};

class MainWindowLayoutTest : public MainWindowTest, public ::testing::WithParamInterface<int> {};

TEST_P(MainWindowLayoutTest, WindowAndControlsFollowTheLayoutScaledToTheDpi) {
    const int dpi = GetParam();
    std::optional<RunningApp> app;
    {
        const SystemDpi systemDpi(static_cast<DWORD>(dpi)); // read by the child when it starts
        app.emplace(Start());
    }
    HWND top = app->Window();
    const double scale = dpi / 96.0;
    // Docked sizes are the rest of their parents' scaled sizes, and bevels stay one pixel wide, so
    // a scaled value may lie two pixels off its exact multiple.
    const int tolerance = dpi == 96 ? 0 : 2;
    auto fits = [&](int actual, int at96) { return std::abs(actual - at96 * scale) <= tolerance; };

    const SIZE client = ClientSize(top);
    EXPECT_NEAR(client.cx, 609 * scale, 1);
    EXPECT_NEAR(client.cy, 307 * scale, 1);
    const LONG style = GetWindowLongW(top, GWL_STYLE);
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0) << std::hex << style;
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU) << std::hex << style;
    EXPECT_NE(GetWindowLongW(top, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0)
        << "the main window owns the taskbar button";
    EXPECT_EQ(Text(top), L"GESTIÓN GENERAL - Importar Conexiones BDE a Alvenor (16.0.1.1)");
    const Rect outer = RectInParent(top);
    EXPECT_NEAR(outer.left, (GetSystemMetrics(SM_CXSCREEN) - outer.width) / 2, 1) << "centred";
    EXPECT_NEAR(outer.top, (GetSystemMetrics(SM_CYSCREEN) - outer.height) / 2, 1) << "centred";
    EXPECT_EQ(Children(top).size(), 4u) << "four bands";

    for (const ExpectedControl& expected : Controls()) {
        SCOPED_TRACE(expected.name);
        HWND hwnd = At(top, expected.path);
        ASSERT_NE(hwnd, nullptr);
        const WindowInfo info = Describe(hwnd);
        EXPECT_EQ(Lower(info.className), Lower(expected.className));
        EXPECT_EQ(info.text, expected.text);
        EXPECT_EQ(info.enabled, expected.enabled);
        EXPECT_TRUE(info.visible);
        EXPECT_EQ(info.style & expected.styleBits, expected.styleBits) << std::hex << info.style;
        if (expected.at96) {
            const Rect& r = *expected.at96;
            const bool width = expected.growsWithText ? info.rect.width >= r.width * scale - tolerance
                                                      : fits(info.rect.width, r.width);
            EXPECT_TRUE(fits(info.rect.left, r.left) && fits(info.rect.top, r.top) && width &&
                        fits(info.rect.height, r.height))
                << "at " << info.rect.left << "," << info.rect.top << " " << info.rect.width << "x"
                << info.rect.height << ", expected " << r.left << "," << r.top << " " << r.width << "x"
                << r.height << " times " << scale;
        }
    }
    // Neither the default nor the cancel button; no engine selected; no alias listed.
    EXPECT_EQ(GetWindowLongW(Control(top, "BtnImportar"), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    for (const char* item : {"RdgTipMoto item 0", "RdgTipMoto item 1", "RdgTipMoto item 2"})
        EXPECT_EQ(SendMessageW(Control(top, item), BM_GETCHECK, 0, 0), BST_UNCHECKED) << item;
    EXPECT_EQ(SendMessageW(Control(top, "ChkNewParam"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_TRUE(ListBoxItems(Control(top, "ChkLBAlias")).empty());
    EXPECT_EQ(SendMessageW(Control(top, "ChkLBAlias"), LB_GETITEMHEIGHT, 0, 0), std::lround(13 * scale));
    EXPECT_EQ(app->Close(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Dpi, MainWindowLayoutTest, ::testing::Values(96, 144),
                         [](const auto& info) { return "At" + std::to_string(info.param) + "Dpi"; });

TEST_F(MainWindowTest, TabMovesTheFocusOverTheEnabledControlsOnly) {
    RunningApp app = Start();
    HWND top = app.Window();
    HWND check = Control(top, "ChkNewParam");
    WaitForFocus(top, check); // the first control in tab order when the window becomes active
    for (const char* next : {"ChkLBAlias", "BtnImportar", "ChkNewParam"}) {
        SCOPED_TRACE(next);
        PressKey(FocusedWindow(top), VK_TAB);
        WaitForFocus(top, Control(top, next));
    }
    EXPECT_EQ(app.Close(), 0u);
}

TEST_F(MainWindowTest, AltIPressesImportarAndTheRadioAcceleratorsDoNothing) {
    RunningApp app = Start();
    HWND top = app.Window();
    HWND check = Control(top, "ChkNewParam");
    WaitForFocus(top, check);
    // The engine's items are disabled, so their marks do nothing; then Alt+I. With no alias listed
    // the press is refused, and the check moves the focus to the alias list.
    for (const wchar_t letter : {L's', L'o', L'p', L'i'})
        PressAltKey(check, letter);
    WaitForFocus(top, Control(top, "ChkLBAlias"));
    for (const char* item : {"RdgTipMoto item 0", "RdgTipMoto item 1", "RdgTipMoto item 2"})
        EXPECT_EQ(SendMessageW(Control(top, item), BM_GETCHECK, 0, 0), BST_UNCHECKED) << item;
    EXPECT_TRUE(MessageBoxes(app.GetProcess().Id()).empty()) << "errors go to the error module only";
    EXPECT_EQ(app.Close(), 0u);
}

TEST_F(MainWindowTest, ClosingTheWindowEndsTheProgramAtOnce) {
    RunningApp app = Start();
    const DWORD id = app.GetProcess().Id();
    EXPECT_EQ(app.Close(), 0u);
    EXPECT_TRUE(TopWindows(id, kMainWindowClass).empty());
}

} // namespace
} // namespace zt::e2e
