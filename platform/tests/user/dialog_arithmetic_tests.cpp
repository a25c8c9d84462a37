// The arithmetic and string helpers dialog layout relies on: MulDiv's rounding and overflow
// rules, and the lstr functions' lengths, copies and comparisons.
#include "windows.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

namespace {

TEST(MulDiv, RoundsToTheNearestIntegerWithHalvesAwayFromZero) {
    EXPECT_EQ(MulDiv(10, 7, 4), 18);   // 17.5
    EXPECT_EQ(MulDiv(10, 5, 4), 13);   // 12.5
    EXPECT_EQ(MulDiv(-10, 7, 4), -18); // -17.5
    EXPECT_EQ(MulDiv(10, -7, 4), -18);
    EXPECT_EQ(MulDiv(9, 7, 4), 16);   // 15.75
    EXPECT_EQ(MulDiv(9, 5, 4), 11);   // 11.25
    EXPECT_EQ(MulDiv(8, 96, 72), 11); // 10.67: an 8-point font is 11 pixels high at 96 dpi
}

TEST(MulDiv, UsesA64BitProductAndReportsZeroDivisorAndOverflowAsMinusOne) {
    EXPECT_EQ(MulDiv(1 << 20, 1 << 20, 1 << 20), 1 << 20);
    EXPECT_EQ(MulDiv(INT_MAX, 2, 2), INT_MAX);
    EXPECT_EQ(MulDiv(5, 3, 0), -1);
    EXPECT_EQ(MulDiv(INT_MAX, 4, 1), -1);
}

TEST(StringHelpers, LengthsCopiesAndComparisons) {
    EXPECT_EQ(lstrlenA("dialog"), 6);
    EXPECT_EQ(lstrlenA(nullptr), 0);

    char buffer[8];
    EXPECT_EQ(lstrcpynA(buffer, "truncated", 5), buffer);
    EXPECT_STREQ(buffer, "trun");
    lstrcpyA(buffer, "abc");
    EXPECT_STREQ(buffer, "abc");

    EXPECT_EQ(lstrcmpA("abc", "abc"), 0);
    EXPECT_LT(lstrcmpA("abc", "abd"), 0);
    EXPECT_GT(lstrcmpA("abcd", "abc"), 0);
    EXPECT_EQ(lstrcmpiA("Button", "BUTTON"), 0);
    EXPECT_LT(lstrcmpiA("apple", "Banana"), 0);
    EXPECT_LT(lstrcmpA(nullptr, ""), 0);
    EXPECT_EQ(lstrcmpA(nullptr, nullptr), 0);
}

TEST(StringHelpers, CaseConversionInPlaceOrOfOneCharacter) {
    char text[] = "Hello, W\xc3\xb6rld 9";
    EXPECT_EQ(CharUpperA(text), text);
    EXPECT_STREQ(text, "HELLO, W\xc3\xb6RLD 9");
    CharLowerA(text);
    EXPECT_STREQ(text, "hello, w\xc3\xb6rld 9");
    // A character in the low word of the pointer comes back the same way.
    EXPECT_EQ(reinterpret_cast<uintptr_t>(CharUpperA(reinterpret_cast<LPSTR>(uintptr_t('q')))),
              uintptr_t('Q'));
}

} // namespace
