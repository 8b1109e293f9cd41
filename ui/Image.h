#pragma once
#include "ui/Control.h"
#include "ui/GdiHandles.h"

#include <cstdint>
#include <span>

namespace zt::ui {

// A picture drawn at its natural size from the control's top-left corner, with its alpha, clipped
// to the control.
class Image : public Control {
public:
    const wchar_t* Kind() const override { return L"image"; }
    // Decodes a PNG picture; malformed data raises.
    void SetPicture(std::span<const std::uint8_t> png);
    // The same, from a resource of the executable of type RCDATA.
    void LoadPictureResource(const wchar_t* name);

    int PictureWidth() const { return width_; }
    int PictureHeight() const { return height_; }

protected:
    CreateParams GetCreateParams() const override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc);

    GdiObject<HBITMAP> bitmap_; // premultiplied 32-bit top-down DIB section
    int width_ = 0;
    int height_ = 0;
};

} // namespace zt::ui
