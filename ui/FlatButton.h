#pragma once
#include "ui/Control.h"
#include "ui/GdiHandles.h"

#include <string_view>

namespace zt::ui {

// A flat push button with a 16×16 picture left of its caption. It shows a raised edge only while the
// mouse is over it and a sunken one while pressed; its "&" mark is its accelerator.
class FlatButton : public Control {
public:
    const wchar_t* Kind() const override { return L"flat button"; }

    // A 32×16 BITMAP resource of the executable: the normal picture on the left, the greyed one (used
    // while disabled) on the right, its bottom-left pixel's colour transparent. Without such a
    // resource the button shows its caption alone.
    void SetGlyph(std::wstring_view resourceName);
    bool HasGlyph() const { return glyph_ != nullptr; }
    COLORREF TransparentColor() const { return transparent_; }

protected:
    CreateParams GetCreateParams() const override { return {L"BUTTON", BS_OWNERDRAW, 0}; }
    void Command(WORD notifyCode) override;
    bool DrawItem(DRAWITEMSTRUCT& item) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void DrawGlyph(HDC dc, int left, int top, bool disabled) const;
    void DrawCaption(HDC dc, RECT rect, UINT format, bool disabled) const;

    GdiObject<HBITMAP> glyph_;
    COLORREF transparent_ = CLR_INVALID;
    bool hot_ = false;
};

} // namespace zt::ui
