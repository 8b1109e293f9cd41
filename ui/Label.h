#pragma once
#include "ui/Control.h"
#include "ui/Layout.h"

namespace zt::ui {

// Static text; takes no focus. A new text is painted at once, without waiting for the message loop.
class Label : public Control {
public:
    const wchar_t* Kind() const override { return L"label"; }
    void Configure(const LayoutRow& row) override;

    TextAlign Alignment() const { return alignment_; }
    bool WordWrap() const { return wordWrap_; }
    bool AutoSize() const { return autoSize_; }
    // The size the label keeps at least when it sizes itself to its text: the layout's.
    SIZE MinimumSize() const { return minimum_; }

protected:
    CreateParams GetCreateParams() const override;
    void TextChanged() override;
    HBRUSH CtlColor(HDC dc) override;

private:
    void FitToText();

    TextAlign alignment_ = TextAlign::Left;
    bool wordWrap_ = false;
    bool autoSize_ = false;
    SIZE minimum_{};
};

} // namespace zt::ui
