// The size texts of the overwrite prompt.
#include "size_format.h"

#include <gtest/gtest.h>

namespace {

TEST(FormatFileSize, UnitThresholds) {
    EXPECT_STREQ(FormatFileSize(0), "0 bytes");
    EXPECT_STREQ(FormatFileSize(1), "1 bytes");
    EXPECT_STREQ(FormatFileSize(1023), "1023 bytes");
    EXPECT_STREQ(FormatFileSize(1024), "1.00 KB");
    EXPECT_STREQ(FormatFileSize(1048575), "1024.00 KB");
    EXPECT_STREQ(FormatFileSize(1048576), "1.00 MB");
}

TEST(FormatFileSize, RoundsToHundredthsOfTheUnit) {
    EXPECT_STREQ(FormatFileSize(1536), "1.50 KB");
    // 1029 / 1024 = 1.00488..., rounds down; 1030 / 1024 = 1.00586..., rounds up.
    EXPECT_STREQ(FormatFileSize(1029), "1.00 KB");
    EXPECT_STREQ(FormatFileSize(1030), "1.01 KB");
    // 5 MB and a quarter.
    EXPECT_STREQ(FormatFileSize(5 * 1048576 + 262144), "5.25 MB");
    // The largest signed 32-bit size: 2047.999999 MB rounds to 2048.00.
    EXPECT_STREQ(FormatFileSize(2147483647), "2048.00 MB");
}

TEST(FormatFileSize, NegativeSizesStayInBytes) {
    EXPECT_STREQ(FormatFileSize(-5), "-5 bytes");
}

TEST(FormatTwoDecimals, InsertsThePointBeforeTheLastTwoDigits) {
    EXPECT_STREQ(FormatTwoDecimals(1.0), "1.00");
    // Values exact in binary, so the rounding is the formula's alone: 112.5 + 0.5 gives 113,
    // 1231.25 + 0.5 truncates to 1231.
    EXPECT_STREQ(FormatTwoDecimals(1.125), "1.13");
    EXPECT_STREQ(FormatTwoDecimals(12.3125), "12.31");
    EXPECT_STREQ(FormatTwoDecimals(12.375), "12.38");
    EXPECT_STREQ(FormatTwoDecimals(999.999), "1000.00");
    EXPECT_STREQ(FormatTwoDecimals(123456.78), "123456.78");
}

} // namespace
