#pragma once
#include "ui/Control.h"

namespace zt::ui {

// A framed container with a caption on its top edge.
class GroupBox : public Control {
public:
    const wchar_t* Kind() const override { return L"group box"; }

protected:
    CreateParams GetCreateParams() const override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    RECT AlignRect() override;
    bool IsContainer() const override { return true; }
    void TextChanged() override { Repaint(); }
    // Draws the frame and the caption; derived containers draw on top of it.
    void PaintFrame(HDC dc);
};

} // namespace zt::ui
