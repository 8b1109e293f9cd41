#include "runtime/Format.h"
#include "runtime/Text.h"

#include <gtest/gtest.h>

namespace zt {
namespace {

struct TrimCase {
    const wchar_t* input;
    const wchar_t* expected;
};

TEST(Trim, RemovesControlCharactersAndBlanksAtBothEndsOnly) {
    const TrimCase cases[] = {
        {L"", L""},
        {L"   ", L""},
        {L"\t \r\n", L""},
        {L"  SRVDATOS\\PRODUCCION ", L"SRVDATOS\\PRODUCCION"},
        {L"\tNombre con blancos\t", L"Nombre con blancos"},
        {L"\x01\x1F" L"a\x01" L"b\x1F", L"a\x01" L"b"},
        {L"\u00A0valor\u00A0", L"\u00A0valor\u00A0"},  // no-break space is not trimmed
        {L" \u00A0 x \u00A0 ", L"\u00A0 x \u00A0"},
        {L"a = b", L"a = b"},
    };
    for (const TrimCase& c : cases)
        EXPECT_EQ(Trim(c.input), c.expected) << "input: [" << c.input << "]";
}

TEST(UpperCaseAscii, MapsOnlyAsciiLetters) {
    EXPECT_EQ(UpperCaseAscii(L"postgresql ansi"), L"POSTGRESQL ANSI");
    EXPECT_EQ(UpperCaseAscii(L"mssql-ñáé_z{"), L"MSSQL-ñáé_Z{");
    EXPECT_TRUE(SameTextAscii(L"Mssql", L"MSSQL"));
    EXPECT_FALSE(SameTextAscii(L"CAÑA", L"CAña"));
    EXPECT_FALSE(SameTextAscii(L"MSSQL", L"MSSQL "));
}

TEST(SameTextLocale, IgnoresCaseOfAllLetters) {
    EXPECT_TRUE(SameTextLocale(L"zentor7", L"Zentor7"));
    EXPECT_TRUE(SameTextLocale(L"ZENTOR7", L"Zentor7"));
    EXPECT_TRUE(SameTextLocale(L"AÑO", L"año"));
    EXPECT_FALSE(SameTextLocale(L"Zentor", L"Zentor7"));
}

TEST(Format, HexUpperAndPlaceholders) {
    EXPECT_EQ(HexUpper(0x2108, 4), L"2108");
    EXPECT_EQ(HexUpper(0x2a06, 4), L"2A06");
    EXPECT_EQ(HexUpper(0xf, 4), L"000F");
    EXPECT_EQ(HexUpper(0x12345, 4), L"12345");
    EXPECT_EQ(HexUpper(0, 4), L"0000");
    EXPECT_EQ(IntToStr(-42), L"-42");
    EXPECT_EQ(FormatS(L"Invalid alias name %s", {L"NOMINA"}), L"Invalid alias name NOMINA");
    EXPECT_EQ(FormatS(L"%s=%s", {L"SERVER NAME", L"a=b"}), L"SERVER NAME=a=b");
    EXPECT_EQ(FormatS(L"100%% %s", {}), L"100% ");
}

} // namespace
} // namespace zt
