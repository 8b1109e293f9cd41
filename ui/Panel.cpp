#include "ui/Panel.h"

#include "ui/GdiHandles.h"
#include "ui/WindowClass.h"

namespace zt::ui {
namespace {

void DrawBevel(HDC dc, RECT& rect, Bevel bevel) {
    if (bevel == Bevel::None)
        return;
    const bool raised = bevel == Bevel::Raised;
    const GdiObject<HPEN> light(
        CreatePen(PS_SOLID, 1, GetSysColor(raised ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW)));
    const GdiObject<HPEN> dark(
        CreatePen(PS_SOLID, 1, GetSysColor(raised ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT)));
    {
        const Selection pen(dc, light.get());
        MoveToEx(dc, rect.left, rect.bottom - 1, nullptr);
        LineTo(dc, rect.left, rect.top);
        LineTo(dc, rect.right - 1, rect.top);
    }
    {
        const Selection pen(dc, dark.get());
        LineTo(dc, rect.right - 1, rect.bottom - 1);
        LineTo(dc, rect.left - 1, rect.bottom - 1);
    }
    InflateRect(&rect, -1, -1);
}

} // namespace

void Panel::Configure(const LayoutRow& row) {
    SetBevels(row.bevelOuter, row.bevelInner);
}

void Panel::SetBevels(Bevel outer, Bevel inner) {
    outer_ = outer;
    inner_ = inner;
    Realign();
    Repaint();
}

Control::CreateParams Panel::GetCreateParams() const {
    EnsureWindowClass(L"ZtPanel");
    return {L"ZtPanel", WS_CLIPCHILDREN, 0};
}

RECT Panel::AlignRect() {
    RECT rect = Control::AlignRect();
    const int width = (outer_ != Bevel::None ? 1 : 0) + (inner_ != Bevel::None ? 1 : 0);
    InflateRect(&rect, -width, -width);
    return rect;
}

LRESULT Panel::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        RECT rect;
        GetClientRect(Handle(), &rect);
        FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
        DrawBevel(dc, rect, outer_);
        DrawBevel(dc, rect, inner_);
        EndPaint(Handle(), &ps);
        return 0;
    }
    return Control::WndProc(message, wParam, lParam);
}

} // namespace zt::ui
