#pragma once
// A memory DC with a bitmap of its own selected into it, kept for drawing again and again while its
// size and the target's format stay (a WM_PRINTCLIENT may bring a DC of another colour depth than
// the screen's): making them anew for every paint costs far more than the drawing (under Wine, some
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

    // The DC to draw into at this size, for a target of this format (made again when either
    // changes), or nullptr when GDI cannot make it.
    HDC Prepare(HDC target, int width, int height);

private:
    // Bits per pixel and colour planes of what a DC draws into.
    struct DcFormat {
        int bitsPerPixel = 0;
        int planes = 0;
        bool operator==(const DcFormat&) const = default;
    };
    static DcFormat FormatOf(HDC dc);
    void Release();

    Format format_;
    MemoryDc dc_;
    GdiObject<HBITMAP> bitmap_;
    HGDIOBJ original_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    DcFormat targetFormat_;
};

} // namespace zt::ui
