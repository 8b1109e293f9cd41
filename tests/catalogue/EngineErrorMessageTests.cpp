#include "platform/catalogue/EngineErrorMessage.h"

#include <gtest/gtest.h>
#include <vector>

namespace zt::platform {
namespace {

TEST(EngineErrorMessage, ComposesTheEngineTexts) {
    struct Case {
        const char* name;
        std::uint16_t status;
        std::wstring statusText;
        std::vector<EngineErrorEntry> entries;
        std::wstring expected;
    };
    const Case cases[] = {
        {"status text alone", 0x2D03, L"Unknown alias", {}, L"Unknown alias"},
        {"entry repeating the status, context trimmed",
         0x2D03,
         L"Unknown alias",
         {{0x2D03, 0, L"Unknown alias", L"  Alias: Nómina\t\r\n"}},
         L"Unknown alias\r\nAlias: Nómina"},
        {"entry with a native code gives only its context",
         0x2D10,
         L"General SQL error",
         {{0x2D11, 1205, L"Deadlock found", L"Deadlock victim"}, {0x2D12, 0, L"Server gone", L""}},
         L"General SQL error\r\nDeadlock victim\r\nServer gone"},
        {"duplicates in any letter case left out, first spelling kept",
         0x2D02,
         L"The alias store is malformed",
         {{0x2D02, 0, L"THE ALIAS STORE IS MALFORMED", L"line 3"},
          {0x2D05, 0, L"Line 3", L"aliases.cfg LINE 3"},
          {0x2D05, 0, L"Line 3", L"ÑANDÚ"},
          {0x2D05, 0, L"", L"ñandú"}},
         L"The alias store is malformed\r\nline 3\r\naliases.cfg LINE 3\r\nÑANDÚ"},
        {"empty texts left out",
         0x2D06,
         L"",
         {{0x2D07, 0, L"", L"   "}, {0x2D08, 0, L"Second", L""}},
         L"Second"},
        {"server error: only contexts",
         0x2EC4,
         L"General SQL error",
         {{0x2EC4, 0, L"General SQL error", L" Login failed for user 'sa'. "},
          {0x2D01, 0, L"Other text", L"ctx"}},
         L"Login failed for user 'sa'.\r\nctx"},
        {"server error without contexts",
         0x2EC4,
         L"General SQL error",
         {{0x2EC4, 4060, L"x", L""}},
         L"BDE error $2EC4"},
        {"nothing at all", 0x00AB, L"", {}, L"BDE error $00AB"},
        {"only blanks", 0xFFFF, L"", {{0x1, 0, L"", L" \t "}}, L"BDE error $FFFF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ComposeEngineErrorMessage(c.status, c.statusText, c.entries), c.expected);
    }
}

TEST(EngineErrorMessage, CodesStartWithTheReturnedStatusWhateverTheStackHolds) {
    struct Case {
        const char* name;
        std::uint16_t status;
        std::vector<std::uint16_t> stack;
        std::vector<std::uint16_t> expected;
    };
    const Case cases[] = {
        {"empty stack", 0x2501, {}, {0x2501}},
        {"stack led by the status", 0x271E, {0x271E}, {0x271E}},
        {"stack led by the status, more below", 0x2EC4, {0x2EC4, 0x2D11, 0x2EC4}, {0x2EC4, 0x2D11, 0x2EC4}},
        {"stack led by another status", 0x2501, {0x3302, 0x2EC4}, {0x2501, 0x3302, 0x2EC4}},
        {"status further down only", 0x2208, {0x3302, 0x2208}, {0x2208, 0x3302, 0x2208}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<EngineErrorEntry> entries;
        for (const std::uint16_t status : c.stack)
            entries.push_back({status, 0, L"", L""});
        EXPECT_EQ(EngineErrorCodes(c.status, entries), c.expected);
    }
}

TEST(EngineErrorMessage, StartFailureShowsFourUpperCaseDigits) {
    EXPECT_EQ(EngineStartFailureMessage(0x2108),
              L"An error occurred while attempting to initialize the Borland Database Engine (error $2108)");
    EXPECT_EQ(EngineStartFailureMessage(0x2a06),
              L"An error occurred while attempting to initialize the Borland Database Engine (error $2A06)");
    EXPECT_EQ(EngineStartFailureMessage(0x1f),
              L"An error occurred while attempting to initialize the Borland Database Engine (error $001F)");
}

} // namespace
} // namespace zt::platform
