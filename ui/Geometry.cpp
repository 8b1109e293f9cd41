#include "ui/Geometry.h"

#include <windows.h>

namespace zt::ui {

int Scaler::operator()(int value) const { return MulDiv(value, dpi, 96); }

Bounds Scaler::operator()(const Bounds& b) const {
    return {(*this)(b.left), (*this)(b.top), (*this)(b.width), (*this)(b.height)};
}

} // namespace zt::ui
