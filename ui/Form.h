#pragma once
// A top-level window built from a layout. Its creation handler runs once every control exists.
#include "ui/Control.h"

#include <functional>

namespace zt::ui {

struct FormStyle {
    std::wstring_view windowClass;  // the native class name, also how tools find the window
    bool minimizeBox = false;
    bool maximizeBox = false;
    bool hideOnClose = false;       // closing only hides the window
};

class Form : public Control {
public:
    explicit Form(const FormStyle& style);
    ~Form() override;

    const wchar_t* Kind() const override { return L"form"; }

    // Client size at 96 dpi; the window's outer size follows.
    void SetClientSize(int width, int height);
    SIZE ClientSize();
    // Outer height in device pixels.
    int OuterHeight();
    void SetOuterHeight(int height);

    // A form with an owner stays above it and has no taskbar button of its own.
    void SetOwner(Form* owner) { owner_ = owner; }
    HWND OwnerWindow() { return owner_ != nullptr ? owner_->Handle() : nullptr; }

    void Show();
    void Hide();
    void Close();
    bool Showing() const;

    // Runs the creation handler; its errors go to the application's error handler.
    void DoCreate();
    std::function<void(Control& sender)> OnCreate;

    const Scaler& GetScaler() const { return scaler_; }

    // Keyboard navigation (Tab, accelerators) for a message meant for one of our forms.
    static bool IsDialogMessageFor(MSG& msg);

protected:
    CreateParams GetCreateParams() const override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool IsContainer() const override { return true; }
    RECT AlignRect() override;

private:
    void Centre();
    void FocusFirstControl();

    FormStyle style_;
    Scaler scaler_;
    Form* owner_ = nullptr;
    SIZE clientSize_{};
    bool centred_ = false;
    HWND lastFocus_ = nullptr;
};

} // namespace zt::ui
