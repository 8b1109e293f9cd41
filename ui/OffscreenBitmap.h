#pragma once
// A memory DC with a bitmap of its own selected into it, kept for drawing again and again while its
// size stays: making them anew for every paint costs far more than the drawing (under Wine, some
// hundred microseconds against a few).
#include "ui/GdiHandles.h"

#include <windows.h>

namespace zt::ui {

class OffscreenBitmap {
public:
    enum class Format { LikeTarget, OneBit };

    explicit OffscreenBitmap(Format format) : format_(format) {}
    ~OffscreenBitmap() { Release(); }
    OffscreenBitmap(const OffscreenBitmap&) = delete;
    OffscreenBitmap& operator=(const OffscreenBitmap&) = delete;

    // The DC to draw into at this size (made again when the size changes), or nullptr when GDI
    // cannot make it.
    HDC Prepare(HDC target, int width, int height);

private:
    void Release();

    Format format_;
    MemoryDc dc_;
    GdiObject<HBITMAP> bitmap_;
    HGDIOBJ original_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

} // namespace zt::ui
