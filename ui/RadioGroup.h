#pragma once
#include "ui/Control.h"

#include <string>
#include <vector>

namespace zt::ui {

// A framed group of radio items in columns; ItemIndex -1 means no item is selected.
class RadioGroup : public Control {
public:
    const wchar_t* Kind() const override { return L"radio group"; }
    void Configure(const LayoutRow& row) override;

    const std::vector<std::wstring>& Items() const { return items_; }
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);

private:
    std::vector<std::wstring> items_;
    int columns_ = 1;
    int itemIndex_ = -1;
};

} // namespace zt::ui
