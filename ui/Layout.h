#pragma once
// A window's layout as data: one row per control, at 96 dpi, read like the layout table it comes from.
#include "ui/Font.h"
#include "ui/Geometry.h"

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

// Gives every member its parent and layout state, in table order; a row without its member, a
// member of another kind or an unknown parent is a programming error and raises.
void ApplyLayout(Form& form, std::span<const LayoutRow> rows, std::span<const LayoutMember> members);

} // namespace zt::ui
