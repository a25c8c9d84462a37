// Splitting Setup.ini and Setup.txt into numbered entries.
#include "config_line.h"
#include "setup_globals.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class ParsedLines {
public:
    explicit ParsedLines(const std::string& text) { ParseLines(m_lines, text.c_str()); }
    ~ParsedLines() { FreeConfigLines(m_lines); }

    int Count() const { return static_cast<int>(m_lines.size()); }
    std::string Entry(int n) const { return static_cast<LPCSTR>(GetConfigEntry(m_lines, n)); }

private:
    CConfigLineArray m_lines;
};

TEST(ParseLines, NumbersEntriesWithoutBlankAndCommentLines) {
    const ParsedLines lines("; Setup.ini\r\nSamples\r\n\r\n\r\nC:\\Vantrel\r\n; product\r\n"
                            "Vantrel Samples\r\nDesktop\r\n");
    ASSERT_EQ(lines.Count(), 4);
    EXPECT_EQ(lines.Entry(1), "Samples");
    EXPECT_EQ(lines.Entry(2), "C:\\Vantrel");
    EXPECT_EQ(lines.Entry(3), "Vantrel Samples");
    EXPECT_EQ(lines.Entry(4), "Desktop");
}

TEST(ParseLines, LineFeedsAloneDoNotEndALine) {
    const ParsedLines lines("first\nsecond\nthird\n");
    ASSERT_EQ(lines.Count(), 1);
    EXPECT_EQ(lines.Entry(1), "first\nsecond\nthird\n");
}

TEST(ParseLines, AnyMixOfLineEndsBetweenEntriesVanishes) {
    const ParsedLines lines("a\r\r\n\n\r\nb\r\n\r\rc");
    ASSERT_EQ(lines.Count(), 3);
    EXPECT_EQ(lines.Entry(1), "a");
    EXPECT_EQ(lines.Entry(2), "b");
    EXPECT_EQ(lines.Entry(3), "c");
}

TEST(ParseLines, LineEndAtTheVeryStartYieldsAnEntry) {
    const ParsedLines crlf("\r\nfirst\r\n");
    ASSERT_EQ(crlf.Count(), 2);
    EXPECT_EQ(crlf.Entry(1), "");
    EXPECT_EQ(crlf.Entry(2), "first");

    const ParsedLines lf("\nfirst\r\n");
    ASSERT_EQ(lf.Count(), 1);
    EXPECT_EQ(lf.Entry(1), "\nfirst");
}

TEST(ParseLines, OnlyALeadingSemicolonMakesAComment) {
    const ParsedLines lines(" ;not a comment\r\n;a comment\r\n\t; kept\r\nend;\r\n");
    ASSERT_EQ(lines.Count(), 3);
    EXPECT_EQ(lines.Entry(1), " ;not a comment");
    EXPECT_EQ(lines.Entry(2), "\t; kept");
    EXPECT_EQ(lines.Entry(3), "end;");
}

TEST(ParseLines, SpacesAndTabsAreKept) {
    const ParsedLines lines("  padded\t \r\n");
    EXPECT_EQ(lines.Entry(1), "  padded\t ");
}

TEST(ParseLines, EmptyTextHasNoEntries) {
    const ParsedLines lines("");
    EXPECT_EQ(lines.Count(), 0);
}

TEST(ParseLines, LongLinesAreCutAt1023Characters) {
    const std::string longLine(1500, 'x');
    const ParsedLines lines(longLine + "\r\nnext\r\n" + std::string(1023, 'y') + "\r\n");
    ASSERT_EQ(lines.Count(), 3);
    EXPECT_EQ(lines.Entry(1), std::string(1023, 'x'));
    EXPECT_EQ(lines.Entry(2), "next");
    EXPECT_EQ(lines.Entry(3), std::string(1023, 'y'));
}

TEST(ParseLines, CuttingALongLineKeepsWholeCharacters) {
    // 1022 ASCII bytes, then a two-byte character that would straddle the limit.
    const std::string line = std::string(1022, 'a') + "\xC3\xA9" + "tail";
    const ParsedLines lines(line);
    EXPECT_EQ(lines.Entry(1), std::string(1022, 'a'));
}

TEST(ConfigEntries, MissingEntriesReadAsEmpty) {
    const ParsedLines lines("one\r\ntwo\r\n");
    EXPECT_EQ(lines.Entry(0), "");
    EXPECT_EQ(lines.Entry(3), "");
    EXPECT_EQ(lines.Entry(34), "");
}

TEST(ConfigEntries, KindSelectsTheArray) {
    ParseLines(kIniFile, "Samples\r\nC:\\Vantrel\r\n");
    ParseLines(kTextFile, "OK\r\nCancel\r\nTitle\r\n");
    EXPECT_STREQ(IniEntry(2), "C:\\Vantrel");
    EXPECT_STREQ(TextEntry(3), "Title");
    EXPECT_EQ(g_iniLines.size(), 2u);
    EXPECT_EQ(g_textLines.size(), 3u);
    FreeConfigLines(g_iniLines);
    FreeConfigLines(g_textLines);
    EXPECT_TRUE(g_iniLines.empty());
    EXPECT_STREQ(TextEntry(1), "");
}

} // namespace
