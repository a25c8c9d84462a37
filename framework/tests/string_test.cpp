#include "framework.h"

#include <gtest/gtest.h>

#include <utility>

TEST(StringTest, ConstructionCopyAndComparison) {
    const CString empty;
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(0, empty.GetLength());
    EXPECT_STREQ("", static_cast<LPCTSTR>(empty));

    CString original("Tellurion");
    CString copy = original;
    copy.SetAt(0, 't');
    EXPECT_EQ(CString("Tellurion"), original) << "a copy must not share its bytes";
    EXPECT_EQ("tellurion", copy);

    EXPECT_EQ(CString(nullptr), empty);
    EXPECT_EQ(CString("abcdef", 3), "abc");
    EXPECT_EQ(CString('x', 4), "xxxx");

    EXPECT_TRUE(CString("abc") < CString("abd"));
    EXPECT_TRUE(CString("ab") < "abc");
    EXPECT_TRUE("Zebra" < CString("apple")) << "comparison is by byte value";
    EXPECT_EQ(0, CString("Hello").CompareNoCase("hELLO"));
    EXPECT_EQ(-1, CString("a").Compare("b"));
    EXPECT_EQ(1, CString("b").Compare("a"));
    EXPECT_NE(CString("a"), "A");
}

TEST(StringTest, ConcatenationAndAssignment) {
    CString text = "Hello";
    text += ", ";
    text += CString("MFC");
    text += '!';
    EXPECT_EQ("Hello, MFC!", text);
    EXPECT_EQ("<" + CString("x") + ">", "<x>");
    EXPECT_EQ('a' + CString("b") + 'c', "abc");
    text = 'z';
    EXPECT_EQ("z", text);
    CString moved = std::move(text);
    EXPECT_EQ("z", moved);
}

TEST(StringTest, FormatFollowsPrintf) {
    CString text;
    text.Format("%d, %d", 12, -7);
    EXPECT_EQ("12, -7", text);
    text.Format("Line (%d,%d)-(%d,%d)\r\n", 1, 2, 3, 4);
    EXPECT_EQ("Line (1,2)-(3,4)\r\n", text);
    text.Format("%5.1f|%-4s|%03u|%x", 3.14159, "ab", 7u, 255u);
    EXPECT_EQ("  3.1|ab  |007|ff", text);
    text.AppendFormat(" and %s", "more");
    EXPECT_EQ("  3.1|ab  |007|ff and more", text);

    // Longer than any small internal buffer.
    const CString piece('q', 1000);
    text.Format("%s%s", static_cast<LPCTSTR>(piece), static_cast<LPCTSTR>(piece));
    EXPECT_EQ(2000, text.GetLength());
    text.Format("%s", "");
    EXPECT_TRUE(text.IsEmpty());
}

TEST(StringTest, ExtractionClampsToTheString) {
    const CString text("abcdef");
    EXPECT_EQ("ab", text.Left(2));
    EXPECT_EQ("ef", text.Right(2));
    EXPECT_EQ("cde", text.Mid(2, 3));
    EXPECT_EQ("cdef", text.Mid(2));
    EXPECT_EQ("abcdef", text.Left(100));
    EXPECT_EQ("", text.Left(-1));
    EXPECT_EQ("abcdef", text.Right(100));
    EXPECT_EQ("", text.Mid(10));
    EXPECT_EQ("ab", text.Mid(-3, 2));
}

TEST(StringTest, SearchReturnsZeroBasedPositions) {
    const CString text("banana");
    EXPECT_EQ(1, text.Find('a'));
    EXPECT_EQ(3, text.Find('a', 2));
    EXPECT_EQ(-1, text.Find('z'));
    EXPECT_EQ(2, text.Find("nan"));
    EXPECT_EQ(-1, text.Find("nan", 3));
    EXPECT_EQ(5, text.ReverseFind('a'));
    EXPECT_EQ(2, text.FindOneOf("xyzn"));
    EXPECT_EQ(-1, text.Find('a', 6));
}

TEST(StringTest, CaseTrimAndEditing) {
    CString text("Mixed Case 123 é");
    text.MakeUpper();
    EXPECT_EQ("MIXED CASE 123 é", text) << "bytes outside ASCII are left alone";
    text.MakeLower();
    EXPECT_EQ("mixed case 123 é", text);

    CString padded(" \t\r\n words \n ");
    padded.TrimLeft();
    EXPECT_EQ("words \n ", padded);
    padded.TrimRight();
    EXPECT_EQ("words", padded);
    CString stars("**a*b**");
    stars.TrimLeft('*');
    stars.TrimRight('*');
    EXPECT_EQ("a*b", stars);

    CString path("a/b/c");
    EXPECT_EQ(2, path.Replace('/', '\\'));
    EXPECT_EQ("a\\b\\c", path);
    CString words("one two one");
    EXPECT_EQ(2, words.Replace("one", "three"));
    EXPECT_EQ("three two three", words);
    EXPECT_EQ(2, words.Remove('h'));
    EXPECT_EQ(15, words.Insert(0, "> "));
    EXPECT_EQ("> tree two tree", words.Left(15));
    words.Delete(0, 2);
    EXPECT_EQ("tree two tree", words);
    EXPECT_EQ("eert owt eert", words.MakeReverse());
}

TEST(StringTest, BufferAccess) {
    CString text("abc");
    char* buffer = text.GetBuffer(10);
    std::snprintf(buffer, 11, "%s", "0123456789");
    text.ReleaseBuffer();
    EXPECT_EQ("0123456789", text);

    buffer = text.GetBuffer(0);
    buffer[4] = '\0';
    text.ReleaseBuffer();
    EXPECT_EQ("0123", text) << "ReleaseBuffer(-1) stops at the first zero byte";

    buffer = text.GetBufferSetLength(2);
    text.ReleaseBuffer(1);
    EXPECT_EQ("0", text);
}
