#include "ui/Label.h"

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
    // The native label marks what the new text changes as invalid (Wine's even paints it as it takes
    // the text): painting what is invalid now shows it, without erasing and painting the label again.
    if (HandleAllocated())
        UpdateWindow(Handle());
}

void Label::FitToText() {
    const Font* font = GetFont();
    if (font == nullptr || Text().empty())
        return;
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font->Handle());
    RECT rect{0, 0, 0, 0};
    DrawTextW(dc, Text().c_str(), static_cast<int>(Text().size()), &rect, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
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
