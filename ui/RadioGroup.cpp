#include "ui/RadioGroup.h"

#include "ui/GdiHandles.h"
#include "ui/Layout.h"

#include <algorithm>

namespace zt::ui {

// One radio item: a plain radio button whose state the group decides.
class RadioGroup::Button : public Control {
public:
    Button(RadioGroup& group, int index) : group_(group), index_(index) {}
    const wchar_t* Kind() const override { return L"radio item"; }
    bool checked = false;

protected:
    CreateParams GetCreateParams() const override { return {L"BUTTON", BS_RADIOBUTTON, 0}; }
    void HandleCreated() override {
        SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    void Command(WORD notifyCode) override {
        if (notifyCode == BN_CLICKED)
            group_.SetItemIndex(index_);
    }

private:
    RadioGroup& group_;
    int index_;
};

RadioGroup::RadioGroup() = default;
RadioGroup::~RadioGroup() {
    // The buttons' windows go before the group's, while the group still knows them.
    buttons_.clear();
}

void RadioGroup::Configure(const LayoutRow& row) {
    if (row.columns > 0)
        columns_ = row.columns;
    items_.clear();
    buttons_.clear();
    std::wstring_view rest = row.items;
    while (!rest.empty()) {
        const std::size_t end = rest.find(L'\n');
        items_.emplace_back(rest.substr(0, end));
        rest = end == std::wstring_view::npos ? std::wstring_view{} : rest.substr(end + 1);
    }
    for (std::size_t i = 0; i < items_.size(); ++i) {
        auto button = std::make_unique<Button>(*this, static_cast<int>(i));
        button->SetText(items_[i]);
        button->SetTabOrder(static_cast<int>(i));
        button->SetParent(this);
        buttons_.push_back(std::move(button));
    }
    SyncButtons();
    ArrangeButtons();
}

void RadioGroup::SetItemIndex(int index) {
    if (index < -1 || index >= static_cast<int>(items_.size()))
        index = -1;
    if (index == itemIndex_)
        return;
    itemIndex_ = index;
    SyncButtons();
    Click();
}

void RadioGroup::SyncButtons() {
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        Button& button = *buttons_[i];
        button.checked = static_cast<int>(i) == itemIndex_;
        // A disabled group disables its items too, so that they look disabled and their "&" marks
        // do nothing.
        button.SetEnabled(Enabled());
        if (button.HandleAllocated())
            SendMessageW(button.Handle(), BM_SETCHECK, button.checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

// Columns of equal width below the caption; the items fill each column top to bottom.
void RadioGroup::ArrangeButtons() {
    if (buttons_.empty())
        return;
    int textHeight = Scale()(13);
    if (const Font* font = GetFont()) {
        const WindowDc screen(nullptr);
        const Selection selected(screen.Get(), font->Handle());
        TEXTMETRICW metrics;
        if (GetTextMetricsW(screen.Get(), &metrics))
            textHeight = metrics.tmHeight;
    }
    const Bounds b = GetBounds();
    const int count = static_cast<int>(buttons_.size());
    const int columns = std::clamp(columns_, 1, count);
    const int perColumn = (count + columns - 1) / columns;
    const int width = (b.width - Scale()(10)) / columns;
    const int room = b.height - textHeight - Scale()(5);
    const int height = std::max(room / perColumn, 1);
    const int top = textHeight + 1 + (room % perColumn) / 2;
    for (int i = 0; i < count; ++i)
        buttons_[static_cast<std::size_t>(i)]->SetBounds(
            {Scale()(8) + (i / perColumn) * width, top + (i % perColumn) * height, width, height});
}

LRESULT RadioGroup::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // A group created disabled gets no WM_ENABLE: its items take the state at WM_CREATE.
    if (message == WM_CREATE || message == WM_ENABLE)
        SyncButtons();
    else if (message == WM_SIZE)
        ArrangeButtons();
    return GroupBox::WndProc(message, wParam, lParam);
}

} // namespace zt::ui
