#include "ui/OffscreenBitmap.h"

namespace zt::ui {

HDC OffscreenBitmap::Prepare(HDC target, int width, int height) {
    if (dc_ && width == width_ && height == height_)
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
}

} // namespace zt::ui
