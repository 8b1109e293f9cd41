#include "ui/Label.h"

#include "ui/GdiHandles.h"

namespace zt::ui {

void Label::Configure(const LayoutRow& row) {
    alignment_ = row.alignment;
    wordWrap_ = row.wordWrap;
    autoSize_ = row.autoSize;
}

Control::CreateParams Label::GetCreateParams() const {
    DWORD style = 0;
    switch (alignment_) {
    case TextAlign::Left: style = wordWrap_ ? SS_LEFT : SS_LEFTNOWORDWRAP; break;
    case TextAlign::Right: style = SS_RIGHT; break;
    case TextAlign::Center: style = SS_CENTER; break;
    }
    return {L"STATIC", style, 0};
}

void Label::TextChanged() {
    if (autoSize_)
        FitToText();
    Repaint();
}

void Label::FitToText() {
    const Font* font = GetFont();
    if (font == nullptr || Text().empty())
        return;
    const WindowDc screen(nullptr);
    const HDC dc = screen.Get();
    const Selection selected(dc, font->Handle());
    RECT rect{0, 0, 0, 0};
    DrawTextW(dc, Text().c_str(), static_cast<int>(Text().size()), &rect, DT_CALCRECT | DT_SINGLELINE);
    const Bounds b = GetBounds();
    SetBounds({b.left, b.top, rect.right, rect.bottom});
}

HBRUSH Label::CtlColor(HDC dc) {
    HBRUSH brush = Control::CtlColor(dc);
    if (!Enabled())
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    return brush;
}

} // namespace zt::ui
