#include "runtime/DateTime.h"
#include "runtime/Exceptions.h"

#include <gtest/gtest.h>

namespace zt {
namespace {

TEST(DateTime, EncodesDaysSinceEpochAndTimeFraction) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(2000, 3, 1), 36586.0);
    EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_DOUBLE_EQ(EncodeTime(0, 0, 4, 62) * kMillisecondsPerDay, 4062.0);
}

TEST(DateTime, RefusesDatesThatDoNotExist) {
    const int bad[][3] = {{2023, 2, 29}, {2024, 13, 1}, {0, 1, 1}, {2024, 4, 31}, {10000, 1, 1}};
    for (const auto& d : bad) {
        try {
            EncodeDate(d[0], d[1], d[2]);
            ADD_FAILURE() << d[0] << "-" << d[1] << "-" << d[2];
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), L"Invalid argument to date encode");
        }
    }
    EXPECT_NO_THROW(EncodeDate(2024, 2, 29));
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
}

} // namespace
} // namespace zt
