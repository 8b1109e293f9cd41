#include "ui/Layout.h"

#include "runtime/Exceptions.h"
#include "ui/Control.h"
#include "ui/Form.h"

#include <string>

namespace zt::ui {
namespace {

Control* Find(std::span<const LayoutMember> members, std::wstring_view name) {
    for (const auto& [memberName, control] : members)
        if (memberName == name)
            return control;
    return nullptr;
}

[[noreturn]] void LayoutError(std::wstring_view what, std::wstring_view name) {
    throw Exception(L"Layout: " + std::wstring(what) + L" " + std::wstring(name));
}

} // namespace

void ApplyLayout(Form& form, std::span<const LayoutRow> rows, std::span<const LayoutMember> members) {
    const Scaler& scale = form.GetScaler();
    for (const LayoutRow& row : rows) {
        Control* control = Find(members, row.name);
        if (control == nullptr)
            LayoutError(L"no member for", row.name);
        if (row.kind != control->Kind())
            LayoutError(L"kind differs for", row.name);
        Control* parent = &form;
        if (!row.parent.empty()) {
            parent = Find(members, row.parent);
            if (parent == nullptr)
                LayoutError(L"unknown parent of", row.name);
        }
        control->SetParent(parent);
        control->SetTabOrder(row.tabOrder);
        control->SetBounds(scale(row.bounds));
        if (row.font != nullptr)
            control->SetFont(*row.font);
        control->Configure(row); // before the text, so that a label sized to its text fits it
        control->SetText(std::wstring(row.caption));
        control->SetEnabled(row.enabled);
        control->SetAlign(row.align);
    }
}

} // namespace zt::ui
