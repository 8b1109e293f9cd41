#include "ui/Label.h"

#include "ui/GdiHandles.h"

#include <algorithm>

namespace zt::ui {

void Label::Configure(const LayoutRow& row) {
    alignment_ = row.alignment;
    wordWrap_ = row.wordWrap;
    autoSize_ = row.autoSize;
    const Bounds scaled = Scale()(row.bounds);
    minimum_ = {scaled.width, scaled.height};
}

Control::CreateParams Label::GetCreateParams() const {
    DWORD style = 0;
    switch (alignment_) {
    case TextAlign::Left:
        style = wordWrap_ ? SS_LEFT : SS_LEFTNOWORDWRAP;
        break;
    case TextAlign::Right:
        style = SS_RIGHT;
        break;
    case TextAlign::Center:
        style = SS_CENTER;
        break;
    }
    return {L"STATIC", style, 0};
}

void Label::TextChanged() {
    if (autoSize_)
        FitToText();
    // The native label marks what the new text changes as invalid (Wine's even paints it as it takes
    // the text): painting what is invalid now shows it, without erasing and painting the label again.
    if (HandleAllocated())
        UpdateWindow(Handle());
}

// The layout's sizes are those of the caption in the designer's font; in a wider font the label
// grows to show its whole text, and it never shrinks below the layout's size.
void Label::FitToText() {
    const Font* font = GetFont();
    if (font == nullptr)
        return;
    RECT rect{0, 0, 0, 0};
    if (!Text().empty()) {
        const WindowDc screen(nullptr);
        const Selection selected(screen.Get(), font->Handle());
        DrawTextW(screen.Get(), Text().c_str(), static_cast<int>(Text().size()), &rect,
                  DT_CALCRECT | DT_SINGLELINE);
    }
    const Bounds b = GetBounds();
    SetBounds(
        {b.left, b.top, std::max<int>(rect.right, minimum_.cx), std::max<int>(rect.bottom, minimum_.cy)});
}

HBRUSH Label::CtlColor(HDC dc) {
    HBRUSH brush = Control::CtlColor(dc);
    if (!Enabled())
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    return brush;
}

} // namespace zt::ui
