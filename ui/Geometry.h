#pragma once

namespace zt::ui {

struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Bounds&) const = default;
};

// Docking to a side of the parent, or filling what the other docked controls leave.
enum class Align { None, Top, Bottom, Left, Right, Client };

// Layouts are written at 96 dots per inch and scaled to the system's dpi.
struct Scaler {
    int dpi = 96;
    int operator()(int value) const;
    Bounds operator()(const Bounds& b) const;
};

} // namespace zt::ui
