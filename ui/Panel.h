#pragma once
#include "ui/Control.h"
#include "ui/Layout.h"

namespace zt::ui {

// A container with optional inner and outer bevels; docked children share the area inside them.
class Panel : public Control {
public:
    const wchar_t* Kind() const override { return L"panel"; }
    void Configure(const LayoutRow& row) override;
    void SetBevels(Bevel outer, Bevel inner);

protected:
    CreateParams GetCreateParams() const override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    RECT AlignRect() override;
    bool IsContainer() const override { return true; }

private:
    Bevel outer_ = Bevel::None;
    Bevel inner_ = Bevel::None;
};

} // namespace zt::ui
