#include "versioninfo/FileDate.h"

#include "runtime/Exceptions.h"
#include "tests/versioninfo/TestFiles.h"
#include "versioninfo/VersionInfo.h"

#include <gtest/gtest.h>

namespace zt {
namespace {

const RegionalFormats kDayFirst{0x0C0A, L"dd/MM/yyyy", L"HH:mm:ss"};
const RegionalFormats kMonthFirst{0x0409, L"M/d/yyyy", L"h:mm:ss tt"};

SYSTEMTIME Local(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
    SYSTEMTIME t{};
    t.wYear = year;
    t.wMonth = month;
    t.wDay = day;
    t.wHour = hour;
    t.wMinute = minute;
    t.wSecond = second;
    return t;
}

TEST(DateModified, WrittenFromTheLastWriteTimeInTheGivenFormats) {
    const struct {
        SYSTEMTIME LastWrite;
        const RegionalFormats* Formats;
        const wchar_t* Expected;
    } cases[] = {
        // Two-second resolution: an odd second is shown as the even one before it.
        {Local(2024, 3, 15, 13, 45, 7), &kDayFirst, L"15/03/2024 13:45:06"},
        {Local(2024, 3, 15, 13, 45, 7), &kMonthFirst, L"3/15/2024 1:45:06 PM"},
        {Local(2009, 1, 5, 9, 3, 58), &kDayFirst, L"05/01/2009 09:03:58"},
        {Local(2009, 1, 5, 9, 3, 58), &kMonthFirst, L"1/5/2009 9:03:58 AM"},
        // Midnight: the date alone.
        {Local(2024, 12, 31, 0, 0, 0), &kDayFirst, L"31/12/2024"},
        {Local(2024, 12, 31, 0, 0, 0), &kMonthFirst, L"12/31/2024"},
        // One second past midnight falls back onto it.
        {Local(2024, 12, 31, 0, 0, 1), &kMonthFirst, L"12/31/2024"},
        {Local(2024, 12, 31, 0, 0, 2), &kMonthFirst, L"12/31/2024 12:00:02 AM"},
    };
    const test::ScratchFolder folder;
    const std::wstring file = CopyOf(folder, L"vi_own.dll", L"dated.dll");
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.Expected)));
        test::SetLastWriteLocalTime(file, c.LastWrite);
        TEXEVersionData data;
        ReadEXEVersionData(file, data, *c.Formats);
        EXPECT_EQ(data.DateModified, c.Expected);
    }
}

TEST(DateModified, PackedValueThatIsNoDateRaisesTheDateEncodeError) {
    const DosDateTime cases[] = {
        kNoFileAge,
        0x00000000, // day and month 0
        0x58217BBE, // 1 January 2024 15:29:60: no such second
        0x585E0000, // 30 February 2024
    };
    EXPECT_EQ(FormatDosDateTime(0x585D0000, kDayFirst), L"29/02/2024"); // the day before does exist
    for (const DosDateTime value : cases) {
        SCOPED_TRACE(value);
        try {
            FormatDosDateTime(value, kDayFirst);
            ADD_FAILURE() << "no error raised";
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.Message(), L"Invalid argument to date encode");
        }
    }
}

TEST(DateModified, FolderOrMissingFileHasNoAge) {
    const test::ScratchFolder folder;
    EXPECT_EQ(FileAge(folder.Path().wstring()), kNoFileAge);
    EXPECT_EQ(FileAge(folder.File(L"missing.dll")), kNoFileAge);
    EXPECT_NE(FileAge(CopyOf(folder, L"vi_none.dll", L"present.dll")), kNoFileAge);
    EXPECT_THROW(FormatDosDateTime(FileAge(folder.Path().wstring()), kDayFirst), EConvertError);
}

} // namespace
} // namespace zt
