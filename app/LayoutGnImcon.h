#pragma once
// The main window's layout, at 96 dpi.
#include "ui/Layout.h"

#include <span>
#include <string_view>

inline constexpr std::wstring_view kCaptionGnImcon =
    L"GESTIÓN Y ADMÓN. DE REC. HUMANOS - Importar Conexiones BDE a Alvenor";
inline constexpr int kClientWidthGnImcon = 609;
inline constexpr int kClientHeightGnImcon = 307;
// The logo, an RCDATA resource of the executable.
inline constexpr const wchar_t* kLogoResourceGnImcon = L"LOGO";

std::span<const zt::ui::LayoutRow> LayoutGnImcon();
