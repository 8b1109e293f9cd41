#include "ui/OffscreenBitmap.h"

namespace zt::ui {

// A memory DC draws in the format of the bitmap selected into it, which its device's capabilities
// do not tell.
OffscreenBitmap::DcFormat OffscreenBitmap::FormatOf(HDC dc) {
    if (GetObjectType(dc) == OBJ_MEMDC) {
        BITMAP selected{};
        if (GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof selected, &selected) != 0)
            return {selected.bmBitsPixel, selected.bmPlanes};
    }
    return {GetDeviceCaps(dc, BITSPIXEL), GetDeviceCaps(dc, PLANES)};
}

HDC OffscreenBitmap::Prepare(HDC target, int width, int height) {
    const DcFormat format = FormatOf(target);
    if (dc_ && width == width_ && height == height_ && format == targetFormat_)
        return dc_.get();
    Release();
    MemoryDc dc(CreateCompatibleDC(target));
    GdiObject<HBITMAP> bitmap(format_ == Format::OneBit ? CreateBitmap(width, height, 1, 1, nullptr)
                                                        : CreateCompatibleBitmap(target, width, height));
    if (!dc || !bitmap)
        return nullptr;
    original_ = SelectObject(dc.get(), bitmap.get());
    dc_ = std::move(dc);
    bitmap_ = std::move(bitmap);
    width_ = width;
    height_ = height;
    targetFormat_ = format;
    return dc_.get();
}

// The bitmap leaves the DC before either is deleted: a selected bitmap cannot be deleted.
void OffscreenBitmap::Release() {
    if (dc_)
        SelectObject(dc_.get(), original_);
    bitmap_.reset();
    dc_.reset();
    original_ = nullptr;
    width_ = 0;
    height_ = 0;
    targetFormat_ = {};
}

} // namespace zt::ui
