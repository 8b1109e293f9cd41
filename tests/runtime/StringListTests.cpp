#include "runtime/StringList.h"

#include <gtest/gtest.h>

namespace zt {
namespace {

StringList ListOf(std::initializer_list<const wchar_t*> lines) {
    StringList list;
    for (const wchar_t* line : lines)
        list.Add(line);
    return list;
}

TEST(StringListLookup, ByNameUnderCaseInsensitiveComparison) {
    const StringList list = ListOf({L"sin igual", L"server name=SRV", L"SERVER NAME=OTRO", L"DATABASE NAME=",
                                    L"PATH=C:\\a=b", L"=sin nombre", L"ÁREA=norte"});
    struct Case {
        const wchar_t* name;
        const wchar_t* value;
        long long index;
    };
    const Case cases[] = {
        {L"SERVER NAME", L"SRV", 1},  // first match wins, whatever its case
        {L"Server Name", L"SRV", 1},
        {L"DATABASE NAME", L"", 3},   // present but empty
        {L"PATH", L"C:\\a=b", 4},     // value is everything after the first "="
        {L"sin igual", L"", -1},      // a line without "=" has no name
        {L"", L"sin nombre", 5},
        {L"área", L"norte", 6},
        {L"USER NAME", L"", -1},      // missing: empty, no error
    };
    for (const Case& c : cases) {
        EXPECT_EQ(list.Value(c.name), c.value) << c.name;
        EXPECT_EQ(list.IndexOfName(c.name), c.index) << c.name;
    }
}

TEST(StringListLookup, IndexOfWholeLines) {
    const StringList list = ListOf({L"NOMINA", L"ZENTOR7", L"Zentor7"});
    EXPECT_EQ(list.IndexOf(L"Zentor7"), 1);
    EXPECT_EQ(list.IndexOf(L"nomina"), 0);
    EXPECT_EQ(list.IndexOf(L"CONTABLE"), -1);
}

TEST(StringListNotifications, OneChangeAtStartAndEndOfAnUpdate) {
    StringList list;
    int changing = 0;
    int changed = 0;
    list.OnChanging = [&] { ++changing; };
    list.OnChange = [&] { ++changed; };
    list.Add(L"a");
    EXPECT_EQ(changing, 1);
    EXPECT_EQ(changed, 1);
    {
        ListUpdate update(list);
        list.Clear();
        for (int i = 0; i < 100; ++i)
            list.Add(L"x");
        list.Delete(0);
    }
    EXPECT_EQ(changing, 2);
    EXPECT_EQ(changed, 2);
    EXPECT_EQ(list.Count(), 99u);
}

} // namespace
} // namespace zt
