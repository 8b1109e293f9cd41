#include "ui/CaptionSpacing.h"

#include <algorithm>

namespace zt::ui {

void KeepValuesClearOfCaptions(std::initializer_list<CaptionAndValue> lines, int gap) {
    int shift = 0;
    for (const auto& [caption, value] : lines) {
        const Bounds& c = caption->GetBounds();
        shift = std::max(shift, c.left + c.width + gap - value->GetBounds().left);
    }
    if (shift == 0)
        return;
    for (const auto& [caption, value] : lines) {
        const Bounds v = value->GetBounds();
        const int left = v.left + shift;
        const int room = value->Parent() != nullptr ? value->Parent()->GetBounds().width - left : v.width;
        value->SetBounds({left, v.top, std::clamp(room, 0, v.width), v.height});
    }
}

} // namespace zt::ui
