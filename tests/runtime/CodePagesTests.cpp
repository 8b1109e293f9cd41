#include "runtime/CodePages.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace zt {
namespace {

// Letters that both the ANSI (1252) and the OEM (850 or 437) code pages of a western system hold.
TEST(CodePages, NonAsciiTextSurvivesEveryRoundTrip) {
    const std::wstring texts[] = {L"", L"NOMINA", L"Año contable", L"Nómina é ü ç Ñ", L"a=b;c\\d"};
    for (const std::wstring& text : texts) {
        EXPECT_EQ(FromAnsi(ToAnsi(text)), text);
        EXPECT_EQ(FromOem(ToOem(text)), text);
        EXPECT_EQ(FromOem(ConvertAnsiToOem(ToAnsi(text))), text);
        EXPECT_EQ(FromAnsi(ConvertOemToAnsi(ToOem(text))), text);
    }
}

TEST(CodePages, BytesAreThoseOfTheCodePage) {
    if (GetACP() != 1252)
        GTEST_SKIP() << "ANSI code page is " << GetACP();
    EXPECT_EQ(ToAnsi(L"Ñ"), "\xD1");
    EXPECT_EQ(ToCodePage(L"Ñ", 850), "\xA5");
    EXPECT_EQ(FromCodePage("\xA5", 850), L"Ñ");
    EXPECT_EQ(ToCodePage(L"Ñ", CP_UTF8), "\xC3\x91");
    // Outside the code page: the best-fit or default character, never an error.
    EXPECT_EQ(ToAnsi(L"\u4E2D").size(), 1u);
}

} // namespace
} // namespace zt
