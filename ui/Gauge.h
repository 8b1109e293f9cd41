#pragma once
#include "ui/Control.h"
#include "ui/OffscreenBitmap.h"

namespace zt::ui {

// A horizontal bar with its percentage written across it, inverting the pixels beneath the text.
// Drawn off-screen and copied in one piece; repainted only when what it shows changes.
class Gauge : public Control {
public:
    const wchar_t* Kind() const override { return L"gauge"; }

    int MinValue() const { return 0; }
    int MaxValue() const { return max_; }
    // Below the minimum raises EInvalidOperation; a progress above the new maximum is lowered to it.
    void SetMaxValue(int value);
    int Progress() const { return progress_; }
    // Kept within the minimum and the maximum.
    void SetProgress(int value);
    void AddProgress(int delta);
    // Whole-number percentage, 0 while the maximum is 0.
    int PercentDone() const;

    COLORREF ForeColor() const { return foreColor_; }
    void SetForeColor(COLORREF color);

    // How many times the bar has been painted on the screen.
    int PaintCount() const { return paintCount_; }

protected:
    CreateParams GetCreateParams() const override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void PaintNow();
    void Draw(HDC target);
    void DrawPercentInverted(HDC target, HDC image, int width, int height);

    int max_ = 0;
    int progress_ = 0;
    COLORREF foreColor_ = RGB(0, 0, 0);
    int paintCount_ = 0;
    // Kept from paint to paint: the picture drawn off-screen and the mask of its text.
    OffscreenBitmap image_{OffscreenBitmap::Format::LikeTarget};
    OffscreenBitmap mask_{OffscreenBitmap::Format::OneBit};
};

} // namespace zt::ui
