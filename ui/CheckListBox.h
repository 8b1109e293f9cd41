#pragma once
#include "ui/Control.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zt::ui {

class CheckListAccessible;

// A list whose every item carries a tick box that the mouse and the space bar toggle. Items are
// kept in the order they are added, in columns filled top to bottom; each tick mark is readable
// from outside through the list's item data (1 ticked, 0 not), and accessibility tools read the
// items as check buttons through an accessible object of the list's own.
class CheckListBox : public Control {
public:
    CheckListBox();
    ~CheckListBox() override;

    const wchar_t* Kind() const override { return L"check-list box"; }
    void Configure(const LayoutRow& row) override;

    std::size_t Count() const { return items_.size(); }
    const std::wstring& Item(std::size_t index) const { return items_[index].text; }
    bool Checked(std::size_t index) const { return items_[index].checked; }
    void SetChecked(std::size_t index, bool checked);
    // Appends an item, not ticked; returns its index.
    std::size_t Add(std::wstring text);
    void Clear();

    // What a click on an item's tick does: the item becomes the selected one, its tick toggles and
    // OnClickCheck fires.
    void ClickCheck(std::size_t index);
    // Fires when the user ticks or unticks an item (mouse, space bar, an accessibility tool).
    std::function<void(Control& sender)> OnClickCheck;

protected:
    CreateParams GetCreateParams() const override;
    void HandleCreated() override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool DrawItem(DRAWITEMSTRUCT& item) override;

private:
    struct Entry {
        std::wstring text;
        bool checked = false;
    };
    void AddNative(std::size_t index);
    void UpdateColumnWidth();
    void ToggleByUser(std::size_t index);
    void ToggleAt(LPARAM point);
    LRESULT AccessibleObject(WPARAM flags);

    struct AccessibleRelease {
        void operator()(CheckListAccessible* object) const;
    };
    std::unique_ptr<CheckListAccessible, AccessibleRelease> accessible_;

    std::vector<Entry> items_;
    int columns_ = 1;
    int itemHeight_ = 13;
};

} // namespace zt::ui
