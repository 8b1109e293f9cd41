#include "ui/Gauge.h"

#include "runtime/Exceptions.h"
#include "runtime/Format.h"
#include "ui/GdiHandles.h"
#include "ui/WindowClass.h"

#include <algorithm>
#include <climits>

namespace zt::ui {

void Gauge::SetMaxValue(int value) {
    if (value < MinValue())
        throw EInvalidOperation(L"Value must be between " + IntToStr(1) + L" and " + IntToStr(INT_MAX));
    if (value == max_)
        return;
    max_ = value;
    progress_ = std::min(progress_, max_);
    PaintNow();
}

void Gauge::SetProgress(int value) {
    const int before = PercentDone();
    progress_ = std::clamp(value, MinValue(), max_);
    if (PercentDone() != before)
        PaintNow();
}

void Gauge::AddProgress(int delta) {
    const long long sum = static_cast<long long>(progress_) + delta;
    SetProgress(static_cast<int>(std::clamp<long long>(sum, INT_MIN, INT_MAX)));
}

int Gauge::PercentDone() const {
    return max_ == 0 ? 0 : static_cast<int>(static_cast<long long>(progress_) * 100 / max_);
}

void Gauge::SetForeColor(COLORREF color) {
    if (color == foreColor_)
        return;
    foreColor_ = color;
    PaintNow();
}

// Only the bar itself, and without erasing: it is drawn in one piece.
void Gauge::PaintNow() {
    if (!HandleAllocated())
        return;
    InvalidateRect(Handle(), nullptr, FALSE);
    UpdateWindow(Handle());
}

Control::CreateParams Gauge::GetCreateParams() const {
    EnsureWindowClass(L"ZtGauge");
    return {L"ZtGauge", 0, 0};
}

LRESULT Gauge::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the whole bar is copied in one piece
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        Draw(dc);
        EndPaint(Handle(), &ps);
        ++paintCount_;
        return 0;
    }
    case WM_PRINTCLIENT:
        Draw(reinterpret_cast<HDC>(wParam));
        return 0;
    default:
        return Control::WndProc(message, wParam, lParam);
    }
}

void Gauge::Draw(HDC target) {
    RECT client;
    GetClientRect(Handle(), &client);
    const int width = client.right;
    const int height = client.bottom;
    if (width <= 0 || height <= 0)
        return;
    const HDC image = image_.Prepare(target, width, height);
    if (image == nullptr)
        return;

    FillRect(image, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const int filled = static_cast<int>(static_cast<long long>(width + 1) * PercentDone() / 100);
    if (filled > 0) {
        SetDCBrushColor(image, foreColor_);
        const RECT bar{0, 0, filled, height};
        FillRect(image, &bar, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }
    DrawPercentInverted(target, image, width, height);
    BitBlt(target, 0, 0, width, height, image, 0, 0, SRCCOPY);
}

// The text goes into a one-bit mask first (so no smoothing greys its edges), which is then
// combined with the image by exclusive-or: the text's pixels become the inverse of what lies beneath.
void Gauge::DrawPercentInverted(HDC target, HDC image, int width, int height) {
    const std::wstring text = IntToStr(PercentDone()) + L"%";
    const HDC mask = mask_.Prepare(target, width, height);
    if (mask == nullptr)
        return;
    const Font* font = GetFont();
    const Selection fontSelected(mask, font != nullptr ? static_cast<HGDIOBJ>(font->Handle())
                                                       : GetStockObject(DEFAULT_GUI_FONT));
    PatBlt(mask, 0, 0, width, height, BLACKNESS);
    SetBkMode(mask, TRANSPARENT);
    SetTextColor(mask, RGB(255, 255, 255));
    SIZE extent{};
    GetTextExtentPoint32W(mask, text.c_str(), static_cast<int>(text.size()), &extent);
    TextOutW(mask, (width + 1 - extent.cx) / 2, (height + 1 - extent.cy) / 2, text.c_str(),
             static_cast<int>(text.size()));
    // A one-bit source maps its set bits to the target's background colour, clear bits to its text colour.
    SetBkColor(image, RGB(255, 255, 255));
    SetTextColor(image, RGB(0, 0, 0));
    BitBlt(image, 0, 0, width, height, mask, 0, 0, SRCINVERT);
}

} // namespace zt::ui
