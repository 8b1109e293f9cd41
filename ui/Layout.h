#pragma once
// A window's layout as data: one row per control, at 96 dpi, read like the layout table it comes from.
#include "ui/Font.h"
#include "ui/Geometry.h"

#include <cstddef>
#include <span>
#include <string_view>
#include <utility>

namespace zt::ui {

class Control;
class Form;

enum class Bevel { None, Lowered, Raised };
enum class TextAlign { Left, Right, Center };

struct LayoutRow {
    std::wstring_view name;
    std::wstring_view kind;    // checked against the member's Kind()
    std::wstring_view parent;  // empty: the window itself
    Bounds bounds;
    Align align = Align::None;
    std::wstring_view caption = {};
    bool enabled = true;
    int tabOrder = -1;         // -1: takes no focus

    // Properties that only some kinds read.
    Bevel bevelInner = Bevel::None;
    Bevel bevelOuter = Bevel::None;
    int columns = 0;
    int itemHeight = 0;
    std::wstring_view items = {};  // item texts separated by '\n'
    TextAlign alignment = TextAlign::Left;
    bool wordWrap = false;
    bool autoSize = false;
    const FontSpec* font = nullptr;
};

using LayoutMember = std::pair<std::wstring_view, Control*>;

// What a table must hold to before any control exists: every row named, no name twice, a kind on
// every row, every parent named by an earlier row, no negative size, and no two children of one
// parent at the same tab position. Each table asserts it at compile time; that its rows find
// members of their kinds is checked when the table is applied.
enum class LayoutFault {
    None,
    Unnamed,
    NameRepeated,
    NoKind,
    ParentNotEarlier,
    NegativeSize,
    TabOrderRepeated
};
struct LayoutCheck {
    LayoutFault fault = LayoutFault::None;
    std::size_t row = 0; // the first row at fault
};

constexpr LayoutCheck CheckLayout(std::span<const LayoutRow> rows) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const LayoutRow& row = rows[i];
        if (row.name.empty())
            return {LayoutFault::Unnamed, i};
        if (row.kind.empty())
            return {LayoutFault::NoKind, i};
        if (row.bounds.width < 0 || row.bounds.height < 0)
            return {LayoutFault::NegativeSize, i};
        bool parentFound = row.parent.empty();
        for (std::size_t j = 0; j < i; ++j) {
            const LayoutRow& earlier = rows[j];
            if (earlier.name == row.name)
                return {LayoutFault::NameRepeated, i};
            parentFound = parentFound || earlier.name == row.parent;
            if (row.tabOrder >= 0 && earlier.tabOrder == row.tabOrder && earlier.parent == row.parent)
                return {LayoutFault::TabOrderRepeated, i};
        }
        if (!parentFound)
            return {LayoutFault::ParentNotEarlier, i};
    }
    return {};
}

// Gives every member its parent and layout state, in table order; a row without its member, a
// member of another kind or an unknown parent is a programming error and raises.
void ApplyLayout(Form& form, std::span<const LayoutRow> rows, std::span<const LayoutMember> members);

} // namespace zt::ui
