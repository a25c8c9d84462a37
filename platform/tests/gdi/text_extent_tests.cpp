// GetTextExtentPoint32A: the sum of the characters' integer advances (no kerning), the cell
// height, and the inter-character spacing of SetTextCharacterExtra.
#include "text_test_support.h"

#include <string>

namespace {

class TextExtentTest : public ::testing::Test {
protected:
    TestCanvas canvas{4, 4};
};

LONG sum_of_single_characters(HDC dc, const std::string& text) {
    LONG sum = 0;
    for (char c : text) {
        const char single[2] = {c, '\0'};
        sum += text_extent(dc, single).cx;
    }
    return sum;
}

TEST_F(TextExtentTest, ExtentIsTheSumOfCharacterExtents) {
    // Pairs such as "AV" and "To" would be kerned closer by a typesetter; Win32 does not.
    const std::string samples[] = {"AVATAR", "To be, or not to be", "WAVE.ffi", "1234567890"};
    for (const char* face : {"Arial", "Times New Roman", "Courier New"}) {
        for (int height : {-9, -13, -24}) {
            SelectedFont font(canvas.dc(), height, face);
            const LONG cell = text_metrics(canvas.dc()).tmHeight;
            for (const std::string& sample : samples) {
                const SIZE size = text_extent(canvas.dc(), sample.c_str());
                EXPECT_EQ(size.cx, sum_of_single_characters(canvas.dc(), sample))
                    << face << " " << height << " " << sample;
                EXPECT_EQ(size.cy, cell);
            }
        }
    }
}

TEST_F(TextExtentTest, EmptyStringHasNoWidthButTheCellHeight) {
    SelectedFont font(canvas.dc(), -12, "Arial");
    SIZE size{-1, -1};
    EXPECT_TRUE(GetTextExtentPoint32A(canvas.dc(), "ignored", 0, &size));
    EXPECT_EQ(size.cx, 0);
    EXPECT_EQ(size.cy, text_metrics(canvas.dc()).tmHeight);
}

TEST_F(TextExtentTest, CountLimitsTheCharactersMeasured) {
    SelectedFont font(canvas.dc(), -12, "Arial");
    SIZE part{};
    GetTextExtentPoint32A(canvas.dc(), "abcdef", 3, &part);
    EXPECT_EQ(part.cx, text_extent(canvas.dc(), "abc").cx);
}

TEST_F(TextExtentTest, Utf8SequencesMeasureAsOneCharacter) {
    SelectedFont font(canvas.dc(), -16, "Arial");
    const LONG e_acute = text_extent(canvas.dc(), "\xC3\xA9").cx;
    EXPECT_GT(e_acute, 0);
    // An e with an acute accent is as wide as a plain e in this design.
    EXPECT_EQ(e_acute, text_extent(canvas.dc(), "e").cx);
    EXPECT_EQ(text_extent(canvas.dc(), "a\xC3\xA9z").cx,
              text_extent(canvas.dc(), "a").cx + e_acute + text_extent(canvas.dc(), "z").cx);
}

TEST_F(TextExtentTest, CharacterExtraIsAddedAfterEveryCharacter) {
    SelectedFont font(canvas.dc(), -12, "Arial");
    const LONG plain = text_extent(canvas.dc(), "spacing").cx;
    EXPECT_EQ(SetTextCharacterExtra(canvas.dc(), 3), 0);
    EXPECT_EQ(text_extent(canvas.dc(), "spacing").cx, plain + 7 * 3);
    EXPECT_EQ(SetTextCharacterExtra(canvas.dc(), 0), 3);
    EXPECT_EQ(text_extent(canvas.dc(), "spacing").cx, plain);
}

TEST_F(TextExtentTest, InvalidArgumentsFail) {
    SIZE size{};
    EXPECT_FALSE(GetTextExtentPoint32A(nullptr, "a", 1, &size));
    EXPECT_FALSE(GetTextExtentPoint32A(canvas.dc(), "a", 1, nullptr));
    EXPECT_FALSE(GetTextExtentPoint32A(canvas.dc(), "a", -1, &size));
    EXPECT_FALSE(GetTextMetricsA(nullptr, nullptr));
    EXPECT_EQ(SetTextCharacterExtra(nullptr, 1), int(0x80000000));
}

} // namespace
