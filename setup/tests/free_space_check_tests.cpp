// The free-space check before copying: entry 6 against the space a free-space query reports.
#include "free_space_check.h"

#include <gtest/gtest.h>

namespace {

TEST(FitsInFreeSpace, EqualSpaceIsEnough) {
    // 2 sectors of 512 bytes per cluster, 60 free clusters: 61440 bytes.
    EXPECT_TRUE(FitsInFreeSpace("61440", 2, 512, 60));
    EXPECT_TRUE(FitsInFreeSpace("61439", 2, 512, 60));
    EXPECT_FALSE(FitsInFreeSpace("61441", 2, 512, 60));
}

TEST(FitsInFreeSpace, EntryIsReadLikeTheCLibrary) {
    // Leading digits only: "1,500,000" requires 1 byte.
    EXPECT_TRUE(FitsInFreeSpace("1,500,000", 1, 512, 1));
    EXPECT_TRUE(FitsInFreeSpace("", 0, 0, 0)) << "no digits require nothing";
    EXPECT_FALSE(FitsInFreeSpace("-5", 64, 512, 1000)) << "a negative size never fits";
}

TEST(FitsInFreeSpace, LargeDisksDoNotWrapAround) {
    // 64 x 512 x 131072 = 4 GB exactly, which is 0 in 32 bits.
    EXPECT_TRUE(FitsInFreeSpace("620000000", 64, 512, 131072));
    // Requirements beyond 32 bits are compared whole, not cut.
    EXPECT_FALSE(FitsInFreeSpace("4294967297", 64, 512, 131072));
}

TEST(InstallRoot, TakesTheDirectorysDriveLetter) {
    EXPECT_STREQ(InstallRoot("D:\\Apps\\Sample"), "D:\\");
    EXPECT_STREQ(InstallRoot("C:\\Vantrel"), "C:\\");
    EXPECT_STREQ(InstallRoot(""), "C:\\");
}

} // namespace
