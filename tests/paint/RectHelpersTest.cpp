// Rectangle helpers: exclusive right/bottom edges, empty results and null arguments.
#include <gtest/gtest.h>

#include "vexa/system/paint/RectHelpers.h"

namespace vexa::sys::testing {
namespace {

TEST(RectHelpersTest, InflateOffsetAndPointTests) {
    RECT r;
    ASSERT_TRUE(SetRect(&r, 10, 10, 20, 30));
    InflateRect(&r, 2, -3);
    EXPECT_EQ(r, (RECT{8, 13, 22, 27}));
    OffsetRect(&r, -8, 1);
    EXPECT_EQ(r, (RECT{0, 14, 14, 28}));
    EXPECT_TRUE(PtInRect(&r, POINT{0, 14}));
    EXPECT_FALSE(PtInRect(&r, POINT{14, 14}));
    EXPECT_FALSE(PtInRect(&r, POINT{5, 28}));
    EXPECT_FALSE(InflateRect(nullptr, 1, 1));
}

TEST(RectHelpersTest, IntersectionAndUnionIgnoreEmptyRectangles) {
    const RECT a{0, 0, 10, 10}, b{5, 5, 15, 15}, far{20, 20, 30, 30}, empty{3, 3, 3, 9};
    RECT out;
    EXPECT_TRUE(IntersectRect(&out, &a, &b));
    EXPECT_EQ(out, (RECT{5, 5, 10, 10}));
    EXPECT_FALSE(IntersectRect(&out, &a, &far));
    EXPECT_TRUE(IsRectEmpty(&out));
    const RECT touching{10, 0, 20, 10};
    EXPECT_FALSE(IntersectRect(&out, &a, &touching));  // shared edge, no common pixel
    EXPECT_TRUE(UnionRect(&out, &a, &far));
    EXPECT_EQ(out, (RECT{0, 0, 30, 30}));
    EXPECT_TRUE(UnionRect(&out, &empty, &b));
    EXPECT_EQ(out, b);
    EXPECT_FALSE(UnionRect(&out, &empty, &empty));
}

TEST(RectHelpersTest, EmptinessAndEquality) {
    const RECT a{0, 0, 10, 10}, same{0, 0, 10, 10}, inverted{10, 0, 0, 10};
    EXPECT_TRUE(EqualRect(&a, &same));
    EXPECT_FALSE(EqualRect(&a, &inverted));
    EXPECT_TRUE(IsRectEmpty(&inverted));
    EXPECT_TRUE(IsRectEmpty(nullptr));
    EXPECT_FALSE(IsRectEmpty(&a));
    RECT out;
    const RECT leftHalf{0, 0, 5, 10};
    EXPECT_TRUE(SubtractRect(&out, &a, &leftHalf));
    EXPECT_EQ(out, (RECT{5, 0, 10, 10}));
    const RECT middle{3, 3, 6, 6};
    EXPECT_TRUE(SubtractRect(&out, &a, &middle));
    EXPECT_EQ(out, a);
}

}  // namespace
}  // namespace vexa::sys::testing
