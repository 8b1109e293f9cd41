#include "app/LayoutGnImcon.h"

namespace {

using zt::ui::Align;
using zt::ui::Bevel;
using zt::ui::LayoutRow;

// The group's caption of blanks keeps its frame line from running behind ChkNewParam, which sits
// across the top edge as the group's heading.
constexpr std::wstring_view kBlanks51 = L"                                                   ";
static_assert(kBlanks51.size() == 51);

// Bounds of docked rows are those that docking yields. Labels size themselves to their captions in
// the font in use, never below the sizes given here.
constexpr LayoutRow kRows[] = {
    {.name = L"PnlMotor",
     .kind = L"panel",
     .parent = L"",
     .bounds = {0, 0, 609, 61},
     .align = Align::Top,
     .tabOrder = 0},
    {.name = L"Panel3",
     .kind = L"panel",
     .parent = L"PnlMotor",
     .bounds = {425, 0, 184, 61},
     .align = Align::Right,
     .tabOrder = 0,
     .bevelInner = Bevel::Raised,
     .bevelOuter = Bevel::None},
    {.name = L"Image1",
     .kind = L"image",
     .parent = L"Panel3",
     .bounds = {1, 1, 182, 59},
     .align = Align::Client},
    {.name = L"RdgTipMoto",
     .kind = L"radio group",
     .parent = L"PnlMotor",
     .bounds = {0, 0, 424, 61},
     .align = Align::Left,
     .caption = L" Motor a Generar ",
     .enabled = false,
     .tabOrder = 1,
     .columns = 3,
     .items = L"&SQL Server\n&ORACLE\n&PostgreSQL"},
    {.name = L"GrbConfiguracion",
     .kind = L"group box",
     .parent = L"",
     .bounds = {0, 61, 609, 62},
     .align = Align::Top,
     .caption = kBlanks51,
     .tabOrder = 1},
    {.name = L"ChkNewParam",
     .kind = L"check box",
     .parent = L"GrbConfiguracion",
     .bounds = {11, -1, 152, 17},
     .caption = L"Asignar nuevos parámetros ",
     .tabOrder = 0},
    {.name = L"LblServidor",
     .kind = L"label",
     .parent = L"GrbConfiguracion",
     .bounds = {104, 16, 40, 13},
     .caption = L"Servidor",
     .enabled = false,
     .autoSize = true},
    {.name = L"EdtServidor",
     .kind = L"single-line edit",
     .parent = L"GrbConfiguracion",
     .bounds = {104, 32, 185, 21},
     .enabled = false,
     .tabOrder = 1},
    {.name = L"LblBaseDatos",
     .kind = L"label",
     .parent = L"GrbConfiguracion",
     .bounds = {320, 16, 69, 13},
     .caption = L"Base de Datos",
     .enabled = false,
     .autoSize = true},
    {.name = L"EdtBaseDatos",
     .kind = L"single-line edit",
     .parent = L"GrbConfiguracion",
     .bounds = {320, 32, 185, 21},
     .enabled = false,
     .tabOrder = 2},
    {.name = L"GrbAlias",
     .kind = L"group box",
     .parent = L"",
     .bounds = {0, 123, 609, 130},
     .align = Align::Client,
     .caption = L" Alias Importados ",
     .tabOrder = 2},
    {.name = L"ChkLBAlias",
     .kind = L"check-list box",
     .parent = L"GrbAlias",
     .bounds = {2, 15, 605, 113},
     .align = Align::Client,
     .tabOrder = 0,
     .columns = 3,
     .itemHeight = 13},
    {.name = L"PnlImportar",
     .kind = L"panel",
     .parent = L"",
     .bounds = {0, 253, 609, 54},
     .align = Align::Bottom,
     .tabOrder = 3},
    {.name = L"BtnImportar",
     .kind = L"push button",
     .parent = L"PnlImportar",
     .bounds = {267, 17, 75, 25},
     .caption = L"&Importar",
     .tabOrder = 0},
};

static_assert(zt::ui::CheckLayout(kRows).fault == zt::ui::LayoutFault::None,
              "the main window's layout is malformed");

} // namespace

std::span<const LayoutRow> LayoutGnImcon() {
    return kRows;
}
