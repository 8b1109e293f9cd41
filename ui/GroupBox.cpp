#include "ui/GroupBox.h"

#include "ui/GdiHandles.h"
#include "ui/WindowClass.h"

#include <algorithm>

namespace zt::ui {

Control::CreateParams GroupBox::GetCreateParams() const {
    EnsureWindowClass(L"ZtGroupBox");
    return {L"ZtGroupBox", WS_CLIPCHILDREN, 0};
}

RECT GroupBox::AlignRect() {
    RECT rect = Control::AlignRect();
    rect.left += Scale()(2);
    rect.right -= Scale()(2);
    rect.top += Scale()(15);
    rect.bottom -= Scale()(2);
    return rect;
}

void GroupBox::PaintFrame(HDC dc) {
    RECT rect;
    GetClientRect(Handle(), &rect);
    FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
    const Selection font(dc, GetFont()->Handle());
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    RECT frame = rect;
    frame.top += metrics.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    // A child placed across the top line is the group's heading: the line stops short of it too,
    // however wide the font in use makes it.
    LONG headingRight = 0;
    for (const Control* child : Children()) {
        const Bounds& b = child->GetBounds();
        if (child->Visible() && b.top <= frame.top && b.top + b.height > frame.top)
            headingRight = std::max<LONG>(headingRight, b.left + b.width);
    }
    if (headingRight > Scale()(8)) {
        const RECT gap{Scale()(8), 0, headingRight, metrics.tmHeight};
        FillRect(dc, &gap, GetSysColorBrush(COLOR_BTNFACE));
    }
    if (!Text().empty()) {
        SIZE extent;
        GetTextExtentPoint32W(dc, Text().c_str(), static_cast<int>(Text().size()), &extent);
        RECT caption{Scale()(8), 0, Scale()(8) + extent.cx, metrics.tmHeight};
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        SetTextColor(dc, Enabled() ? GetFont()->TextColor() : GetSysColor(COLOR_GRAYTEXT));
        ExtTextOutW(dc, caption.left, caption.top, ETO_OPAQUE, &caption, Text().c_str(),
                    static_cast<UINT>(Text().size()), nullptr);
    }
}

LRESULT GroupBox::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        PaintFrame(dc);
        EndPaint(Handle(), &ps);
        return 0;
    }
    if (message == WM_ERASEBKGND)
        return 1;
    return Control::WndProc(message, wParam, lParam);
}

} // namespace zt::ui
