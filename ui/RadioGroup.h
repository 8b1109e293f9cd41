#pragma once
#include "ui/GroupBox.h"

#include <memory>
#include <string>
#include <vector>

namespace zt::ui {

// A framed group of radio items in columns; ItemIndex -1 means no item is selected.
class RadioGroup : public GroupBox {
public:
    RadioGroup();
    ~RadioGroup() override;

    const wchar_t* Kind() const override { return L"radio group"; }
    void Configure(const LayoutRow& row) override;

    const std::vector<std::wstring>& Items() const { return items_; }
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    class Button;
    void ArrangeButtons();
    void SyncButtons();

    std::vector<std::wstring> items_;
    std::vector<std::unique_ptr<Button>> buttons_;
    int columns_ = 1;
    int itemIndex_ = -1;
};

} // namespace zt::ui
