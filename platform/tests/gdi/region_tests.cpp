#include "gdi/region.h"
#include "windows.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

using mullion::Region;

namespace {

// The pixel set of a region inside a window, for comparing against brute-force set algebra.
std::set<std::pair<int, int>> pixels(const Region& region, int size) {
    std::set<std::pair<int, int>> result;
    for (int y = -2; y < size; ++y)
        for (int x = -2; x < size; ++x)
            if (region.contains(x, y))
                result.insert({x, y});
    return result;
}

Region random_region(std::mt19937& random, int size) {
    std::uniform_int_distribution<int> coordinate(0, size);
    std::uniform_int_distribution<int> count(0, 5);
    Region region;
    for (int i = count(random); i > 0; --i) {
        int x1 = coordinate(random), x2 = coordinate(random);
        int y1 = coordinate(random), y2 = coordinate(random);
        region = region.united(
            Region(RECT{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)}));
    }
    return region;
}

// Canonical form: bands do not overlap, rectangles within a band share top and bottom, are
// sorted and do not touch, and vertically adjacent bands differ.
void expect_canonical(const Region& region) {
    const auto& rects = region.rects();
    for (size_t i = 0; i < rects.size(); ++i) {
        ASSERT_LT(rects[i].left, rects[i].right);
        ASSERT_LT(rects[i].top, rects[i].bottom);
        if (i == 0)
            continue;
        const RECT& a = rects[i - 1];
        const RECT& b = rects[i];
        if (a.top == b.top) {
            ASSERT_EQ(a.bottom, b.bottom);
            ASSERT_LT(a.right, b.left) << "spans in a band must be separated";
        } else {
            ASSERT_LE(a.bottom, b.top) << "bands must not overlap";
        }
    }
}

} // namespace

TEST(RegionAlgebra, OperationsMatchSetAlgebraOnRandomRegions) {
    std::mt19937 random(1234);
    constexpr int size = 24;
    for (int trial = 0; trial < 300; ++trial) {
        const Region a = random_region(random, size), b = random_region(random, size);
        const auto pa = pixels(a, size), pb = pixels(b, size);
        std::set<std::pair<int, int>> expected_union = pa, expected_and, expected_diff,
                                      expected_xor;
        expected_union.insert(pb.begin(), pb.end());
        for (const auto& p : pa) {
            if (pb.count(p))
                expected_and.insert(p);
            else
                expected_diff.insert(p);
        }
        for (const auto& p : expected_union)
            if (!expected_and.count(p))
                expected_xor.insert(p);
        const Region u = a.united(b), i = a.intersected(b), d = a.subtracted(b), x = a.xored(b);
        EXPECT_EQ(pixels(u, size), expected_union) << "trial " << trial;
        EXPECT_EQ(pixels(i, size), expected_and) << "trial " << trial;
        EXPECT_EQ(pixels(d, size), expected_diff) << "trial " << trial;
        EXPECT_EQ(pixels(x, size), expected_xor) << "trial " << trial;
        for (const Region* r : {&u, &i, &d, &x})
            expect_canonical(*r);
        // Equal sets have equal representations.
        EXPECT_EQ(u.subtracted(b), d);
        EXPECT_EQ(b.united(a), u);
        EXPECT_EQ(x, u.subtracted(i));
    }
}

TEST(RegionAlgebra, FromRectsIsTheUnion) {
    std::mt19937 random(99);
    std::uniform_int_distribution<int> coordinate(0, 20);
    for (int trial = 0; trial < 100; ++trial) {
        std::vector<RECT> rects;
        Region expected;
        for (int i = 0; i < 6; ++i) {
            const RECT r{coordinate(random), coordinate(random), coordinate(random),
                         coordinate(random)};
            rects.push_back(r);
            expected = expected.united(Region(r));
        }
        const Region built = Region::from_rects(rects);
        EXPECT_EQ(built, expected) << "trial " << trial;
        expect_canonical(built);
    }
}

TEST(RegionAlgebra, BoundsComplexityAndQueries) {
    const Region l_shape = Region(RECT{0, 0, 10, 5}).united(Region(RECT{0, 5, 3, 10}));
    EXPECT_EQ(l_shape.complexity(), COMPLEXREGION);
    EXPECT_EQ(l_shape.bounds(), (RECT{0, 0, 10, 10}));
    EXPECT_TRUE(l_shape.contains(9, 4));
    EXPECT_FALSE(l_shape.contains(9, 5));
    EXPECT_FALSE(l_shape.contains(10, 0)) << "right edge is exclusive";
    EXPECT_TRUE(l_shape.intersects(RECT{2, 9, 4, 12}));
    EXPECT_FALSE(l_shape.intersects(RECT{3, 5, 10, 10}));
    EXPECT_EQ(Region(RECT{5, 5, 5, 9}).complexity(), NULLREGION) << "empty rectangle";
    // Two rectangles side by side that touch merge into one.
    EXPECT_EQ(Region(RECT{0, 0, 5, 5}).united(Region(RECT{5, 0, 9, 5})).complexity(), SIMPLEREGION);
    Region moved = l_shape;
    moved.offset(3, -2);
    EXPECT_EQ(moved.bounds(), (RECT{3, -2, 13, 8}));
}

TEST(RegionFunctions, CombineAndQueryThroughHandles) {
    HRGN a = CreateRectRgn(0, 0, 10, 10);
    HRGN b = CreateRectRgn(15, 5, 5, 15); // corners given in any order
    HRGN result = CreateRectRgn(0, 0, 0, 0);
    RECT box;
    ASSERT_EQ(GetRgnBox(b, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{5, 5, 15, 15}));

    EXPECT_EQ(CombineRgn(result, a, b, RGN_AND), SIMPLEREGION);
    GetRgnBox(result, &box);
    EXPECT_EQ(box, (RECT{5, 5, 10, 10}));
    EXPECT_EQ(CombineRgn(result, a, b, RGN_OR), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(result, 14, 14));
    EXPECT_FALSE(PtInRegion(result, 12, 2));
    EXPECT_EQ(CombineRgn(result, a, b, RGN_DIFF), COMPLEXREGION);
    EXPECT_FALSE(PtInRegion(result, 7, 7));
    EXPECT_EQ(CombineRgn(result, a, a, RGN_XOR), NULLREGION);
    EXPECT_EQ(CombineRgn(result, b, nullptr, RGN_COPY), SIMPLEREGION);
    EXPECT_TRUE(EqualRgn(result, b));

    const RECT probe{9, 9, 20, 20};
    EXPECT_TRUE(RectInRegion(a, &probe));
    EXPECT_EQ(OffsetRgn(a, 100, 100), SIMPLEREGION);
    EXPECT_FALSE(RectInRegion(a, &probe));
    EXPECT_TRUE(SetRectRgn(a, 5, 5, 15, 15));
    EXPECT_TRUE(EqualRgn(a, b));
    EXPECT_EQ(CombineRgn(result, a, nullptr, RGN_AND), ERROR) << "missing second operand";
    for (HRGN r : {a, b, result})
        EXPECT_TRUE(DeleteObject(r));
    EXPECT_EQ(GetRgnBox(a, &box), ERROR) << "deleted handle";
}

TEST(RectFunctions, FollowTheDocumentedRules) {
    RECT r;
    SetRect(&r, 10, 20, 30, 40);
    EXPECT_TRUE(PtInRect(&r, POINT{10, 20}));
    EXPECT_FALSE(PtInRect(&r, POINT{30, 39})) << "right edge excluded";
    InflateRect(&r, 2, -5);
    EXPECT_EQ(r, (RECT{8, 25, 32, 35}));
    OffsetRect(&r, -8, -25);
    EXPECT_EQ(r, (RECT{0, 0, 24, 10}));

    RECT a{0, 0, 10, 10}, b{5, 5, 20, 20}, out;
    EXPECT_TRUE(IntersectRect(&out, &a, &b));
    EXPECT_EQ(out, (RECT{5, 5, 10, 10}));
    const RECT far{50, 50, 60, 60};
    EXPECT_FALSE(IntersectRect(&out, &a, &far));
    EXPECT_TRUE(IsRectEmpty(&out));
    EXPECT_TRUE(UnionRect(&out, &a, &far));
    EXPECT_EQ(out, (RECT{0, 0, 60, 60}));
    const RECT empty{3, 3, 3, 9};
    EXPECT_TRUE(UnionRect(&out, &empty, &a));
    EXPECT_EQ(out, a) << "empty rectangles are ignored";

    // SubtractRect only shrinks when the cut spans a whole side.
    const RECT top_strip{-5, -5, 15, 4};
    EXPECT_TRUE(SubtractRect(&out, &a, &top_strip));
    EXPECT_EQ(out, (RECT{0, 4, 10, 10}));
    const RECT middle{2, 2, 8, 8};
    EXPECT_TRUE(SubtractRect(&out, &a, &middle));
    EXPECT_EQ(out, a);
    const RECT all{-1, -1, 11, 11};
    EXPECT_FALSE(SubtractRect(&out, &a, &all));
    EXPECT_TRUE(EqualRect(&a, &a));
    EXPECT_FALSE(EqualRect(&a, &b));
}
