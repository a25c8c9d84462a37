// DrawTextA: line breaking, prefixes, tabs and ellipses (checked on the layout with a fixed
// 10-pixel character width), then placement, clipping and the result on real text.
#include "gdi/draw_text_layout.h"
#include "text_test_support.h"

#include <string>
#include <vector>

namespace {

using mullion::DrawTextLayout;

int ten_per_character(std::string_view text) {
    return int(text.size()) * 10;
}

std::vector<std::string> lines_of(std::string_view text, UINT format, int width = 1000) {
    const DrawTextLayout layout(text, format, width, ten_per_character, 80);
    std::vector<std::string> lines;
    for (const auto& line : layout.lines())
        lines.push_back(line.text);
    return lines;
}

using Lines = std::vector<std::string>;

TEST(DrawTextLayout, LineBreaksEndLinesUnlessSingleLine) {
    EXPECT_EQ(lines_of("a\nbb\r\nccc\rd", 0), (Lines{"a", "bb", "ccc", "d"}));
    EXPECT_EQ(lines_of("a\n\nb", 0), (Lines{"a", "", "b"}));
    EXPECT_EQ(lines_of("trailing\n", 0), (Lines{"trailing"}));
    EXPECT_EQ(lines_of("", 0), (Lines{""}));
    EXPECT_EQ(lines_of("one\ntwo", DT_SINGLELINE), (Lines{"one\ntwo"}));
}

TEST(DrawTextLayout, WordBreakFillsLinesGreedilyAtSpaces) {
    // 70 pixels hold seven characters: "aaa bbb" but not "aaa bbb c".
    EXPECT_EQ(lines_of("aaa bbb ccc ddd", DT_WORDBREAK, 70), (Lines{"aaa bbb", "ccc ddd"}));
    EXPECT_EQ(lines_of("aaa bbb ccc ddd", DT_WORDBREAK, 69), (Lines{"aaa", "bbb", "ccc", "ddd"}));
    // Spaces at a break are dropped; explicit breaks still apply.
    EXPECT_EQ(lines_of("ab    cd\nef", DT_WORDBREAK, 40), (Lines{"ab", "cd", "ef"}));
    // Word breaking is off on single lines.
    EXPECT_EQ(lines_of("aaa bbb", DT_WORDBREAK | DT_SINGLELINE, 30), (Lines{"aaa bbb"}));
}

TEST(DrawTextLayout, OverlongWordKeepsItsOwnLineUnlessEditControl) {
    EXPECT_EQ(lines_of("a verylongword b", DT_WORDBREAK, 50), (Lines{"a", "verylongword", "b"}));
    EXPECT_EQ(lines_of("a verylongword b", DT_WORDBREAK | DT_EDITCONTROL, 50),
              (Lines{"a", "veryl", "ongwo", "rd b"}));
}

TEST(DrawTextLayout, PrefixesUnderlineTheNextCharacter) {
    const DrawTextLayout layout("&File && E&xit&", 0, 1000, ten_per_character, 80);
    ASSERT_EQ(layout.lines().size(), 1u);
    const auto& line = layout.lines()[0];
    EXPECT_EQ(line.text, "File & Exit");
    EXPECT_EQ(line.underlined, (std::vector<size_t>{0, 8}));
    EXPECT_EQ(layout.position_of(line, 8), 80);
    EXPECT_EQ(layout.character_width(line, 8), 10);

    const DrawTextLayout raw("&File", DT_NOPREFIX, 1000, ten_per_character, 80);
    EXPECT_EQ(raw.lines()[0].text, "&File");
    EXPECT_TRUE(raw.lines()[0].underlined.empty());
}

TEST(DrawTextLayout, TabsExpandToTheNextStop) {
    const DrawTextLayout layout("ab\tc\t\td", DT_EXPANDTABS, 1000, ten_per_character, 80);
    const auto& line = layout.lines()[0];
    const auto segments = layout.segments(line);
    ASSERT_EQ(segments.size(), 4u);
    EXPECT_EQ(segments[1].x, 80);
    EXPECT_EQ(segments[2].x, 160);
    EXPECT_EQ(segments[3].x, 240);
    EXPECT_EQ(line.width, 250);
    // Without DT_EXPANDTABS a tab is just a character.
    EXPECT_EQ(DrawTextLayout("ab\tc", 0, 1000, ten_per_character, 80).lines()[0].width, 40);
}

TEST(DrawTextLayout, EllipsesShortenTheLineToFit) {
    EXPECT_EQ(lines_of("abcdefghij", DT_SINGLELINE | DT_END_ELLIPSIS, 60), (Lines{"abc..."}));
    EXPECT_EQ(lines_of("abcdef", DT_SINGLELINE | DT_END_ELLIPSIS, 60), (Lines{"abcdef"}));
    // A path keeps its last component and loses characters before it.
    EXPECT_EQ(lines_of("C:\\folder\\sub\\file.txt", DT_SINGLELINE | DT_PATH_ELLIPSIS, 170),
              (Lines{"C:\\fo...\\file.txt"}));
}

constexpr COLORREF paper = RGB(255, 255, 255);
constexpr COLORREF ink = RGB(0, 0, 128);
constexpr COLORREF shade = RGB(255, 255, 0);

class DrawTextTest : public ::testing::Test {
protected:
    DrawTextTest() : font(canvas.dc(), -16, "Arial") {
        SetTextColor(canvas.dc(), ink);
        SetBkColor(canvas.dc(), shade);
        SetBkMode(canvas.dc(), TRANSPARENT);
        metrics = text_metrics(canvas.dc());
    }

    TestCanvas canvas{240, 120, paper};
    SelectedFont font;
    TEXTMETRICA metrics{};
};

TEST_F(DrawTextTest, CalcRectSizesTheTextAndDrawsNothing) {
    RECT rect{10, 20, 11, 21};
    const int height = DrawTextA(canvas.dc(), "Measure me", -1, &rect, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(height, metrics.tmHeight);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 20);
    EXPECT_EQ(rect.right, 10 + text_extent(canvas.dc(), "Measure me").cx);
    EXPECT_EQ(rect.bottom, 20 + metrics.tmHeight);
    EXPECT_EQ(count_pixels(canvas, paper), canvas.width() * canvas.height());

    RECT lines{0, 0, 0, 0};
    EXPECT_EQ(DrawTextA(canvas.dc(), "a\nwidest\r\nbb", -1, &lines, DT_CALCRECT),
              3 * metrics.tmHeight);
    EXPECT_EQ(lines.right, text_extent(canvas.dc(), "widest").cx);
    EXPECT_EQ(lines.bottom, 3 * metrics.tmHeight);
}

TEST_F(DrawTextTest, WordBreakCountsLines) {
    const LONG two_words = text_extent(canvas.dc(), "word word").cx;
    RECT rect{0, 0, two_words, 0};
    const int height =
        DrawTextA(canvas.dc(), "word word word word word", -1, &rect, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(height, 3 * metrics.tmHeight);
    EXPECT_EQ(rect.right, two_words);
}

TEST_F(DrawTextTest, CentredTextIsCentredInTheRectangle) {
    SetBkMode(canvas.dc(), OPAQUE);
    RECT rect{20, 10, 220, 110};
    const int result =
        DrawTextA(canvas.dc(), "Centre", -1, &rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    const RECT cell = changed_bounds(canvas, paper);
    EXPECT_NEAR((cell.left + cell.right) / 2.0, (rect.left + rect.right) / 2.0, 1.0);
    EXPECT_NEAR((cell.top + cell.bottom) / 2.0, (rect.top + rect.bottom) / 2.0, 1.0);
    EXPECT_EQ(cell.right - cell.left, text_extent(canvas.dc(), "Centre").cx);
    // The result runs from the rectangle's top to the bottom of the text.
    EXPECT_EQ(result, cell.bottom - rect.top);
}

TEST_F(DrawTextTest, RightAndBottomAlignToTheEdges) {
    SetBkMode(canvas.dc(), OPAQUE);
    RECT rect{0, 0, 200, 100};
    const int result =
        DrawTextA(canvas.dc(), "Corner", -1, &rect, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
    const RECT cell = changed_bounds(canvas, paper);
    EXPECT_EQ(cell.right, 200);
    EXPECT_EQ(cell.bottom, 100);
    EXPECT_EQ(result, 100);
}

TEST_F(DrawTextTest, TextIsClippedToTheRectangleUnlessNoClip) {
    const char* text = "This line is far too long for its box";
    RECT rect{10, 10, 80, 40};
    DrawTextA(canvas.dc(), text, -1, &rect, DT_SINGLELINE);
    const RECT clipped = changed_bounds(canvas, paper);
    EXPECT_TRUE(rect_contains(rect, clipped)) << describe(clipped);
    canvas.clear(paper);
    DrawTextA(canvas.dc(), text, -1, &rect, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(changed_bounds(canvas, paper).right, rect.right);
}

TEST_F(DrawTextTest, PrefixUnderlinesOnlyItsCharacter) {
    RECT rect{10, 10, 230, 60};
    DrawTextA(canvas.dc(), "&File", -1, &rect, DT_SINGLELINE);
    const LONG f_width = text_extent(canvas.dc(), "F").cx;
    // "File" has no descenders: below the baseline only the underline under F is inked.
    const int baseline = 10 + metrics.tmAscent;
    RECT below{1000, 1000, -1, -1};
    for (int y = baseline; y < 10 + metrics.tmHeight; ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (canvas.at(x, y) == ink) {
                below.left = std::min<LONG>(below.left, x);
                below.right = std::max<LONG>(below.right, x + 1);
            }
    EXPECT_EQ(below.left, 10);
    EXPECT_EQ(below.right, 10 + f_width);

    RECT measured{0, 0, 0, 0};
    DrawTextA(canvas.dc(), "&File", -1, &measured, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(measured.right, text_extent(canvas.dc(), "File").cx);
    DrawTextA(canvas.dc(), "&&", -1, &measured, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(measured.right, text_extent(canvas.dc(), "&").cx);
    DrawTextA(canvas.dc(), "&File", -1, &measured, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(measured.right, text_extent(canvas.dc(), "&File").cx);
}

TEST_F(DrawTextTest, HiddenAndPrefixOnlyModes) {
    RECT rect{10, 10, 230, 60};
    const int baseline = 10 + metrics.tmAscent;
    auto ink_below_baseline = [&] {
        int count = 0;
        for (int y = baseline; y < 10 + metrics.tmHeight; ++y)
            for (int x = 0; x < canvas.width(); ++x)
                count += canvas.at(x, y) == ink;
        return count;
    };
    DrawTextA(canvas.dc(), "&File", -1, &rect, DT_SINGLELINE | DT_HIDEPREFIX);
    EXPECT_EQ(ink_below_baseline(), 0);
    EXPECT_GT(count_pixels(canvas, ink), 0);
    canvas.clear(paper);
    DrawTextA(canvas.dc(), "&File", -1, &rect, DT_SINGLELINE | DT_PREFIXONLY);
    // Only the underline: every inked pixel lies below the baseline.
    EXPECT_GT(ink_below_baseline(), 0);
    EXPECT_EQ(ink_below_baseline(), count_pixels(canvas, ink));
}

TEST_F(DrawTextTest, ExpandedTabsStopEveryEightAverageCharacters) {
    RECT rect{0, 0, 0, 0};
    DrawTextA(canvas.dc(), "a\tb", -1, &rect, DT_SINGLELINE | DT_EXPANDTABS | DT_CALCRECT);
    EXPECT_EQ(rect.right, 8 * metrics.tmAveCharWidth + text_extent(canvas.dc(), "b").cx);
}

TEST_F(DrawTextTest, EndEllipsisFitsTheRectangle) {
    SetBkMode(canvas.dc(), OPAQUE);
    RECT rect{10, 10, 90, 40};
    DrawTextA(canvas.dc(), "An ellipsis ends this line", -1, &rect,
              DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
    const RECT cell = changed_bounds(canvas, paper);
    EXPECT_LE(cell.right, 90);
    EXPECT_GE(cell.right - cell.left, text_extent(canvas.dc(), "...").cx);
}

TEST_F(DrawTextTest, CountAndArgumentsAreHonoured) {
    RECT rect{0, 0, 0, 0};
    DrawTextA(canvas.dc(), "abcdef", 3, &rect, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(rect.right, text_extent(canvas.dc(), "abc").cx);
    EXPECT_EQ(DrawTextA(nullptr, "a", 1, &rect, 0), 0);
    EXPECT_EQ(DrawTextA(canvas.dc(), "a", 1, nullptr, 0), 0);
}

} // namespace
