// The checks that a layout table passes at compile time, fault by fault.
#include "ui/Layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace zt::ui {
namespace {

constexpr LayoutRow kSound[] = {
    {.name = L"PnlMotor", .kind = L"panel", .parent = L"", .bounds = {0, 0, 609, 61}, .tabOrder = 0},
    {.name = L"RdgTipMoto",
     .kind = L"radio group",
     .parent = L"PnlMotor",
     .bounds = {0, 0, 424, 61},
     .tabOrder = 0},
    {.name = L"Image1", .kind = L"image", .parent = L"PnlMotor", .bounds = {1, 1, 182, 59}},
    {.name = L"LblServidor", .kind = L"label", .parent = L"PnlMotor", .bounds = {104, 16, 40, 13}},
    {.name = L"PnlImportar", .kind = L"panel", .parent = L"", .bounds = {0, 253, 609, 54}, .tabOrder = 1},
};
// Evaluated by the compiler, as the program's own tables are.
static_assert(CheckLayout(kSound).fault == LayoutFault::None);
constexpr LayoutRow kOrphan[] = {
    {.name = L"BtnImportar", .kind = L"push button", .parent = L"PnlImportar", .bounds = {267, 17, 75, 25}}};
static_assert(CheckLayout(kOrphan).fault == LayoutFault::ParentNotEarlier);

TEST(CheckLayout, NamesEachFaultAndItsRow) {
    struct Case {
        const char* what;
        std::size_t row;
        void (*spoil)(LayoutRow&, const LayoutRow& earlier);
        LayoutFault fault;
    };
    const Case cases[] = {
        {"no name", 2, [](LayoutRow& r, const LayoutRow&) { r.name = L""; }, LayoutFault::Unnamed},
        {"no kind", 3, [](LayoutRow& r, const LayoutRow&) { r.kind = L""; }, LayoutFault::NoKind},
        {"a name twice", 4, [](LayoutRow& r, const LayoutRow& e) { r.name = e.name; },
         LayoutFault::NameRepeated},
        {"a parent that no row names", 2, [](LayoutRow& r, const LayoutRow&) { r.parent = L"PnlMotr"; },
         LayoutFault::ParentNotEarlier},
        {"a parent named only later", 1, [](LayoutRow& r, const LayoutRow&) { r.parent = L"PnlImportar"; },
         LayoutFault::ParentNotEarlier},
        {"a negative width", 3, [](LayoutRow& r, const LayoutRow&) { r.bounds.width = -1; },
         LayoutFault::NegativeSize},
        {"a negative height", 0, [](LayoutRow& r, const LayoutRow&) { r.bounds.height = -61; },
         LayoutFault::NegativeSize},
        {"two siblings at one tab position", 4, [](LayoutRow& r, const LayoutRow&) { r.tabOrder = 0; },
         LayoutFault::TabOrderRepeated},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<LayoutRow> rows(std::begin(kSound), std::end(kSound));
        c.spoil(rows[c.row], rows[0]);
        const LayoutCheck check = CheckLayout(rows);
        EXPECT_EQ(check.fault, c.fault);
        EXPECT_EQ(check.row, c.row);
    }
}

TEST(CheckLayout, TabPositionsRepeatFreelyAcrossParentsAndWithoutFocus) {
    std::vector<LayoutRow> rows(std::begin(kSound), std::end(kSound));
    rows[1].tabOrder = 1; // the same position as PnlImportar, under another parent
    rows[2].tabOrder = -1;
    rows[3].tabOrder = -1;
    EXPECT_EQ(CheckLayout(rows).fault, LayoutFault::None);
}

} // namespace
} // namespace zt::ui
