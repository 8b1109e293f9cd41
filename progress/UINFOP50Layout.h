#pragma once
// The progress dialog's window and controls, at 96 dpi.
#include "ui/Font.h"
#include "ui/Layout.h"

#include <span>

namespace zt::progress {

inline constexpr const wchar_t* kInfoP50Class = L"TFrmInfoP50";
inline constexpr const wchar_t* kInfoP50Caption = L"Información del Proceso";
inline constexpr int kInfoP50ClientWidth = 507;
inline constexpr int kInfoP50ClientHeight = 181;

// The font of the window and of every control that has none of its own.
const zt::ui::FontSpec& InfoP50Font();

std::span<const zt::ui::LayoutRow> InfoP50Layout();

} // namespace zt::progress
