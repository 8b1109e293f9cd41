#include "ui/FlatButton.h"

#include <string>

namespace zt::ui {
namespace {

constexpr int kGlyphSize = 16;
constexpr int kSpacing = 4;

} // namespace

void FlatButton::SetGlyph(std::wstring_view resourceName) {
    const std::wstring name(resourceName);
    glyph_.reset(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    transparent_ = CLR_INVALID;
    if (glyph_) {
        const MemoryDc dc(CreateCompatibleDC(nullptr));
        const Selection selected(dc.get(), glyph_.get());
        transparent_ = GetPixel(dc.get(), 0, kGlyphSize - 1);
    }
    Repaint();
}

void FlatButton::Command(WORD notifyCode) {
    // An owner-drawn button reports the second click of a quick pair as a double click.
    if (notifyCode == BN_CLICKED || notifyCode == BN_DOUBLECLICKED)
        Click();
}

LRESULT FlatButton::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
        if (!hot_) {
            hot_ = true;
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
            TrackMouseEvent(&track);
            InvalidateRect(Handle(), nullptr, FALSE);
        }
        break;
    case WM_MOUSELEAVE:
        hot_ = false;
        InvalidateRect(Handle(), nullptr, FALSE);
        break;
    case WM_ERASEBKGND:
        return 1; // DrawItem paints every pixel
    default:
        break;
    }
    return Control::WndProc(message, wParam, lParam);
}

bool FlatButton::DrawItem(DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT rect = item.rcItem;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
    if (pressed)
        DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT);
    else if (hot_ && !disabled)
        DrawEdge(dc, &rect, BDR_RAISEDINNER, BF_RECT);

    const Font* font = GetFont();
    const Selection fontSelected(dc, font != nullptr ? static_cast<HGDIOBJ>(font->Handle())
                                                     : GetStockObject(DEFAULT_GUI_FONT));
    const UINT format =
        DT_SINGLELINE | DT_VCENTER | ((item.itemState & ODS_NOACCEL) != 0 ? DT_HIDEPREFIX : 0);
    RECT textRect{};
    DrawTextW(dc, Text().c_str(), static_cast<int>(Text().size()), &textRect, format | DT_CALCRECT);
    const int glyphWidth = HasGlyph() ? kGlyphSize + (Text().empty() ? 0 : kSpacing) : 0;
    const int shift = pressed ? 1 : 0;
    int left = rect.left + (rect.right - rect.left - glyphWidth - textRect.right) / 2 + shift;
    if (HasGlyph()) {
        DrawGlyph(dc, left, rect.top + (rect.bottom - rect.top - kGlyphSize) / 2 + shift, disabled);
        left += glyphWidth;
    }
    DrawCaption(dc, {left, rect.top + shift, left + textRect.right, rect.bottom + shift}, format, disabled);

    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        RECT focus = item.rcItem;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
    return true;
}

void FlatButton::DrawGlyph(HDC dc, int left, int top, bool disabled) const {
    const MemoryDc source(CreateCompatibleDC(dc));
    const Selection selected(source.get(), glyph_.get());
    TransparentBlt(dc, left, top, kGlyphSize, kGlyphSize, source.get(), disabled ? kGlyphSize : 0, 0,
                   kGlyphSize, kGlyphSize, transparent_);
}

void FlatButton::DrawCaption(HDC dc, RECT rect, UINT format, bool disabled) const {
    SetBkMode(dc, TRANSPARENT);
    if (disabled) {
        // Engraved: a highlight one pixel down and right, the shadow colour on top.
        RECT highlight = rect;
        OffsetRect(&highlight, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextW(dc, Text().c_str(), static_cast<int>(Text().size()), &highlight, format);
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    } else {
        const Font* font = GetFont();
        SetTextColor(dc, font != nullptr ? font->TextColor() : GetSysColor(COLOR_BTNTEXT));
    }
    DrawTextW(dc, Text().c_str(), static_cast<int>(Text().size()), &rect, format);
}

} // namespace zt::ui
