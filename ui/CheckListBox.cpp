#include "ui/CheckListBox.h"

#include "ui/CheckListAccessible.h"
#include "ui/Layout.h"

#include <windowsx.h>

namespace zt::ui {

CheckListBox::CheckListBox() = default;

CheckListBox::~CheckListBox() {
    // A screen reader may hold the object longer than the list lives.
    if (accessible_)
        accessible_->Detach();
}

void CheckListBox::AccessibleRelease::operator()(CheckListAccessible* object) const {
    object->Release();
}

void CheckListBox::Configure(const LayoutRow& row) {
    if (row.columns > 0)
        columns_ = row.columns;
    if (row.itemHeight > 0)
        itemHeight_ = row.itemHeight;
}

void CheckListBox::SetChecked(std::size_t index, bool checked) {
    Entry& entry = items_.at(index);
    if (entry.checked == checked)
        return;
    entry.checked = checked;
    if (!HandleAllocated())
        return;
    const auto native = static_cast<WPARAM>(index);
    SendMessageW(Handle(), LB_SETITEMDATA, native, checked ? 1 : 0);
    RECT rect;
    if (SendMessageW(Handle(), LB_GETITEMRECT, native, reinterpret_cast<LPARAM>(&rect)) != LB_ERR)
        InvalidateRect(Handle(), &rect, FALSE);
    NotifyWinEvent(EVENT_OBJECT_STATECHANGE, Handle(), OBJID_CLIENT, static_cast<LONG>(index) + 1);
}

std::size_t CheckListBox::Add(std::wstring text) {
    items_.push_back({std::move(text), false});
    const std::size_t index = items_.size() - 1;
    if (HandleAllocated())
        AddNative(index);
    return index;
}

void CheckListBox::Clear() {
    items_.clear();
    if (HandleAllocated())
        SendMessageW(Handle(), LB_RESETCONTENT, 0, 0);
}

Control::CreateParams CheckListBox::GetCreateParams() const {
    return {L"LISTBOX",
            LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_MULTICOLUMN | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY |
                WS_HSCROLL,
            WS_EX_CLIENTEDGE};
}

void CheckListBox::HandleCreated() {
    SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, Scale()(itemHeight_));
    UpdateColumnWidth();
    for (std::size_t i = 0; i < items_.size(); ++i)
        AddNative(i);
}

void CheckListBox::AddNative(std::size_t index) {
    const LRESULT native =
        SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items_[index].text.c_str()));
    if (native >= 0)
        SendMessageW(Handle(), LB_SETITEMDATA, static_cast<WPARAM>(native), items_[index].checked ? 1 : 0);
}

void CheckListBox::UpdateColumnWidth() {
    RECT client;
    GetClientRect(Handle(), &client);
    SendMessageW(Handle(), LB_SETCOLUMNWIDTH, static_cast<WPARAM>(client.right / columns_), 0);
}

void CheckListBox::ToggleByUser(std::size_t index) {
    if (index >= items_.size())
        return;
    SetChecked(index, !items_[index].checked);
    if (OnClickCheck)
        OnClickCheck(*this);
}

void CheckListBox::ToggleAt(LPARAM point) {
    const LRESULT hit = SendMessageW(Handle(), LB_ITEMFROMPOINT, 0, point);
    if (HIWORD(hit) == 0) // inside an item, not in the empty room after the last one
        ToggleByUser(LOWORD(hit));
}

void CheckListBox::ClickCheck(std::size_t index) {
    if (index >= items_.size())
        return;
    if (HandleAllocated() && SendMessageW(Handle(), LB_GETCURSEL, 0, 0) != static_cast<LRESULT>(index)) {
        SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        // The list tells its parent of the new selection, as it does for a click.
        SendMessageW(GetParent(Handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Handle()), LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Handle()));
    }
    ToggleByUser(index);
}

LRESULT CheckListBox::AccessibleObject(WPARAM flags) {
    if (!accessible_)
        accessible_.reset(CheckListAccessible::Create(*this));
    return LresultFromObject(__uuidof(IAccessible), flags, accessible_.get());
}

LRESULT CheckListBox::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const LRESULT result = DefaultProc(message, wParam, lParam);
        ToggleAt(lParam);
        return result;
    }
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) {
            const LRESULT caret = SendMessageW(Handle(), LB_GETCARETINDEX, 0, 0);
            if (caret >= 0)
                ToggleByUser(static_cast<std::size_t>(caret));
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == L' ') // toggled on the key press; no search for an item beginning with a blank
            return 0;
        break;
    case WM_GETOBJECT:
        // Only the client object is ours; the window, its scroll bars and the rest stay the system's.
        if (static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT))
            return AccessibleObject(wParam);
        break;
    case WM_SIZE: {
        const LRESULT result = DefaultProc(message, wParam, lParam);
        UpdateColumnWidth();
        return result;
    }
    default:
        break;
    }
    return Control::WndProc(message, wParam, lParam);
}

bool CheckListBox::DrawItem(DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= items_.size()) {
        if (item.itemAction & ODA_FOCUS)
            DrawFocusRect(item.hDC, &item.rcItem);
        return true;
    }
    const Entry& entry = items_[item.itemID];
    HDC dc = item.hDC;
    const RECT whole = item.rcItem;
    const int height = whole.bottom - whole.top;

    FillRect(dc, &whole, GetSysColorBrush(COLOR_WINDOW));
    const int side = height - 2 > 0 ? height - 2 : height;
    RECT box{whole.left + 1, whole.top + (height - side) / 2, 0, 0};
    box.right = box.left + side;
    box.bottom = box.top + side;
    DrawFrameControl(dc, &box, DFC_BUTTON,
                     DFCS_BUTTONCHECK | DFCS_FLAT | (entry.checked ? DFCS_CHECKED : 0) |
                         (Enabled() ? 0 : DFCS_INACTIVE));

    RECT text = whole;
    text.left = box.right + 3;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &text, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(!Enabled() ? COLOR_GRAYTEXT
                                 : selected ? COLOR_HIGHLIGHTTEXT
                                            : COLOR_WINDOWTEXT));
    RECT inner = text;
    inner.left += 2;
    DrawTextW(dc, entry.text.c_str(), static_cast<int>(entry.text.size()), &inner,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(dc, &text);
    return true;
}

} // namespace zt::ui
