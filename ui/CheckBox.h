#pragma once
#include "ui/Control.h"

#include <optional>

namespace zt::ui {

// OnClick fires whenever the ticked state changes (mouse, space bar or program) and never when it is
// set to the state it already has, so a handler that changes the state is re-entered, nested.
// The box is as wide as its caption needs in the font in use, at least as wide as the layout says.
class CheckBox : public Control {
public:
    const wchar_t* Kind() const override { return L"check box"; }
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    void Configure(const LayoutRow& row) override;

protected:
    CreateParams GetCreateParams() const override;
    void HandleCreated() override;
    void Command(WORD notifyCode) override;
    void TextChanged() override;

private:
    // Widens the box, never below the layout's size, until its caption fits in the font in use.
    void FitToText();

    bool checked_ = false;
    std::optional<SIZE> minimum_; // the layout's size, once configured from a layout
};

} // namespace zt::ui
