#include "runtime/Exceptions.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace zt {
namespace {

TEST(EOSError, MessageCarriesCodeAndSystemText) {
    struct Case {
        std::uint32_t code;
        std::wstring expected;
    };
    const Case cases[] = {
        {0, L"A call to an OS function failed"},
        {ERROR_FILE_NOT_FOUND, L"System Error.  Code: 2.\r\n" + SysErrorMessage(ERROR_FILE_NOT_FOUND)},
        {ERROR_RESOURCE_TYPE_NOT_FOUND,
         L"System Error.  Code: 1813.\r\n" + SysErrorMessage(ERROR_RESOURCE_TYPE_NOT_FOUND)},
        // From 0x80000000 on the code reads as a negative number.
        {0x80070005, L"System Error.  Code: -2147024891.\r\n" + SysErrorMessage(0x80070005)},
        {0xFFFFFFFF, L"System Error.  Code: -1.\r\n" + SysErrorMessage(0xFFFFFFFF)},
        {0x7FFFFFFF, L"System Error.  Code: 2147483647.\r\n" + SysErrorMessage(0x7FFFFFFF)},
    };
    for (const Case& c : cases) {
        const EOSError error(c.code);
        EXPECT_EQ(error.Message(), c.expected);
        EXPECT_EQ(error.ErrorCode(), c.code);
        EXPECT_STREQ(error.ClassName(), L"EOSError");
    }
}

TEST(EOSError, SystemTextLosesTrailingBreaksAndFullStop) {
    const std::wstring text = SysErrorMessage(ERROR_PATH_NOT_FOUND);
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.back(), L'.');
    EXPECT_GT(text.back(), L' ');
}

TEST(ErrorTree, KindsAndClassNames) {
    const EOutOfResources resources(L"r");
    const Exception& asBase = resources;
    EXPECT_NE(dynamic_cast<const EOutOfMemory*>(&asBase), nullptr);
    EXPECT_STREQ(asBase.ClassName(), L"EOutOfResources");
    const EDBEngineError engine(L"m", {0x2108, 0x2109});
    EXPECT_NE(dynamic_cast<const EDatabaseError*>(static_cast<const Exception*>(&engine)), nullptr);
    EXPECT_EQ(engine.StatusCodes().size(), 2u);
    EXPECT_STREQ(EConvertError(L"c").ClassName(), L"EConvertError");
    EXPECT_STREQ(EAbort(L"").ClassName(), L"EAbort");
}

} // namespace
} // namespace zt
