#include "ui/Font.h"

#include "runtime/Exceptions.h"

namespace zt::ui {

Font::Font(FontSpec description, int dpi) : spec_(std::move(description)) {
    LOGFONTW lf{};
    lf.lfHeight = spec_.pixelHeight != 0 ? -MulDiv(spec_.pixelHeight, dpi, 96) : -MulDiv(spec_.pointSize, dpi, 72);
    lf.lfWeight = spec_.bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = spec_.charSet;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(lf.lfFaceName, spec_.face.c_str(), LF_FACESIZE);
    handle_ = CreateFontIndirectW(&lf);
    if (handle_ == nullptr)
        throw EOutOfResources(L"Out of system resources");
}

Font::~Font() {
    if (handle_ != nullptr)
        DeleteObject(handle_);
}

COLORREF Font::TextColor() const {
    return spec_.color == CLR_INVALID ? GetSysColor(COLOR_WINDOWTEXT) : spec_.color;
}

} // namespace zt::ui
