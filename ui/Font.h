#pragma once
// A font description and the GDI font made from it, shared by the controls that inherit it.
#include <memory>
#include <string>
#include <windows.h>

namespace zt::ui {

struct FontSpec {
    std::wstring face = L"Tahoma";
    int pointSize = 8;        // used when pixelHeight is 0
    int pixelHeight = 0;      // character height in pixels at 96 dpi, when given
    bool bold = false;
    COLORREF color = CLR_INVALID; // CLR_INVALID: the window-text colour
    BYTE charSet = DEFAULT_CHARSET;
};

class Font {
public:
    Font(FontSpec description, int dpi);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    HFONT Handle() const { return handle_; }
    const FontSpec& Description() const { return spec_; }
    COLORREF TextColor() const;

private:
    FontSpec spec_;
    HFONT handle_ = nullptr;
};

} // namespace zt::ui
