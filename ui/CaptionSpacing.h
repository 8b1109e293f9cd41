#pragma once
// Caption labels grow with the font in use; the values that follow them on the same lines make room.
#include "ui/Control.h"

#include <initializer_list>
#include <utility>

namespace zt::ui {

// One caption and the value shown to its right.
using CaptionAndValue = std::pair<const Control*, Control*>;

// Where a caption would come closer than `gap` device pixels to its value, the values move right
// together, as one column, by as much as the closest needs; each keeps its width but none crosses
// its parent's right edge. With enough room, nothing moves.
void KeepValuesClearOfCaptions(std::initializer_list<CaptionAndValue> lines, int gap);

} // namespace zt::ui
