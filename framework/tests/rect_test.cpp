#include "framework.h"

#include <gtest/gtest.h>

TEST(RectTest, DimensionsAndCorners) {
    const CRect rect(10, 20, 110, 70);
    EXPECT_EQ(100, rect.Width());
    EXPECT_EQ(50, rect.Height());
    EXPECT_EQ(CSize(100, 50), rect.Size());
    EXPECT_EQ(CPoint(10, 20), rect.TopLeft());
    EXPECT_EQ(CPoint(110, 70), rect.BottomRight());
    EXPECT_EQ(CPoint(60, 45), rect.CenterPoint());
    EXPECT_EQ(CPoint(-1, -1), CRect(-3, -3, 0, 0).CenterPoint()) << "division truncates";
    EXPECT_EQ(CRect(1, 2, 4, 6), CRect(CPoint(1, 2), CSize(3, 4)));
    EXPECT_EQ(CRect(1, 2, 4, 6), CRect(CPoint(1, 2), CPoint(4, 6)));
}

TEST(RectTest, PointInRectIncludesTopLeftOnly) {
    const CRect rect(0, 0, 10, 5);
    EXPECT_TRUE(rect.PtInRect(CPoint(0, 0)));
    EXPECT_TRUE(rect.PtInRect(CPoint(9, 4)));
    EXPECT_FALSE(rect.PtInRect(CPoint(10, 4)));
    EXPECT_FALSE(rect.PtInRect(CPoint(9, 5)));
    EXPECT_FALSE(rect.PtInRect(CPoint(-1, 0)));
}

TEST(RectTest, EmptinessAndNormalizing) {
    EXPECT_TRUE(CRect(5, 5, 5, 10).IsRectEmpty());
    EXPECT_TRUE(CRect(10, 0, 0, 10).IsRectEmpty()) << "an inverted rectangle is empty";
    EXPECT_FALSE(CRect(0, 0, 1, 1).IsRectEmpty());
    EXPECT_TRUE(CRect().IsRectNull());
    EXPECT_FALSE(CRect(5, 5, 5, 5).IsRectNull());

    CRect inverted(10, 20, 0, 5);
    inverted.NormalizeRect();
    EXPECT_EQ(CRect(0, 5, 10, 20), inverted);
}

TEST(RectTest, InflateDeflateOffset) {
    CRect rect(10, 10, 20, 20);
    rect.InflateRect(2, 3);
    EXPECT_EQ(CRect(8, 7, 22, 23), rect);
    rect.DeflateRect(2, 3);
    EXPECT_EQ(CRect(10, 10, 20, 20), rect);
    rect.InflateRect(1, 2, 3, 4);
    EXPECT_EQ(CRect(9, 8, 23, 24), rect);
    const CRect margins(1, 2, 3, 4);
    rect.DeflateRect(&margins);
    EXPECT_EQ(CRect(10, 10, 20, 20), rect);
    rect.OffsetRect(-10, 5);
    EXPECT_EQ(CRect(0, 15, 10, 25), rect);
    rect += CPoint(1, 1);
    EXPECT_EQ(CRect(1, 16, 11, 26), rect);
    rect -= CSize(1, 16);
    EXPECT_EQ(CRect(0, 0, 10, 10), rect);
    EXPECT_EQ(CRect(5, 5, 15, 15), rect + CPoint(5, 5));
    EXPECT_EQ(CRect(-5, 0, 5, 10), rect - CSize(5, 0));
}

TEST(RectTest, IntersectionFollowsWin32) {
    CRect result(1, 1, 1, 1);
    EXPECT_TRUE(result.IntersectRect(CRect(0, 0, 10, 10), CRect(5, 5, 15, 15)));
    EXPECT_EQ(CRect(5, 5, 10, 10), result);

    // Rectangles that only touch do not intersect; the result is all zeros.
    result = CRect(1, 2, 3, 4);
    EXPECT_FALSE(result.IntersectRect(CRect(0, 0, 10, 10), CRect(10, 0, 20, 10)));
    EXPECT_TRUE(result.IsRectNull());

    // An empty operand gives an empty result even where the coordinates overlap.
    EXPECT_FALSE(result.IntersectRect(CRect(0, 0, 10, 10), CRect(2, 2, 2, 8)));
    EXPECT_TRUE(result.IsRectNull());

    CRect accumulated(0, 0, 10, 10);
    accumulated &= CRect(-5, 3, 4, 30);
    EXPECT_EQ(CRect(0, 3, 4, 10), accumulated);
    EXPECT_EQ(CRect(2, 2, 4, 4), CRect(0, 0, 4, 4) & CRect(2, 2, 8, 8));
}

TEST(RectTest, UnionFollowsWin32) {
    CRect result;
    EXPECT_TRUE(result.UnionRect(CRect(0, 0, 5, 5), CRect(10, -2, 12, 3)));
    EXPECT_EQ(CRect(0, -2, 12, 5), result);

    // An empty rectangle does not stretch the union.
    EXPECT_TRUE(result.UnionRect(CRect(100, 100, 100, 200), CRect(1, 1, 2, 2)));
    EXPECT_EQ(CRect(1, 1, 2, 2), result);

    result = CRect(1, 2, 3, 4);
    EXPECT_FALSE(result.UnionRect(CRect(0, 0, 0, 0), CRect(5, 5, 5, 9)));
    EXPECT_TRUE(result.IsRectNull());

    EXPECT_EQ(CRect(0, 0, 8, 8), CRect(0, 0, 4, 4) | CRect(2, 2, 8, 8));
}

TEST(RectTest, PointAndSizeArithmetic) {
    CPoint point(3, 4);
    point += CSize(1, 1);
    EXPECT_EQ(CPoint(4, 5), point);
    point.Offset(-4, -5);
    EXPECT_EQ(CPoint(0, 0), point);
    EXPECT_EQ(CSize(2, -2), CPoint(5, 1) - CPoint(3, 3));
    EXPECT_EQ(CPoint(-1, 2), -CPoint(1, -2));
    EXPECT_EQ(CSize(4, 6), CSize(1, 2) + CSize(3, 4));

    // Mouse-message coordinates are signed 16-bit halves.
    const LPARAM packed = MAKELONG(static_cast<WORD>(-5), static_cast<WORD>(300));
    EXPECT_EQ(CPoint(-5, 300), CPoint(packed));
}
