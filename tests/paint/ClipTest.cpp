// Clip regions: selection, combination, save/restore and their effect on drawing.
#include "paint/PaintTestSupport.h"

namespace vexa::sys::testing {
namespace {

TEST(ClipTest, GetClipRgnReportsNoneUntilOneIsSelected) {
    Canvas canvas(10, 10);
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(canvas.dc(), probe), 0);
    HRGN clip = CreateRectRgn(2, 2, 5, 5);
    SelectClipRgn(canvas.dc(), clip);
    DeleteObject(clip);  // the context keeps its own copy
    EXPECT_EQ(GetClipRgn(canvas.dc(), probe), 1);
    RECT box{};
    EXPECT_EQ(GetRgnBox(probe, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{2, 2, 5, 5}));
    SelectClipRgn(canvas.dc(), 0);
    EXPECT_EQ(GetClipRgn(canvas.dc(), probe), 0);
    DeleteObject(probe);
}

TEST(ClipTest, DrawingRespectsTheClipAndSaveRestoreBringsItBack) {
    Canvas canvas(10, 10);
    HBRUSH black = HBRUSH(GetStockObject(BLACK_BRUSH));
    RECT all{0, 0, 10, 10};
    const int saved = SaveDC(canvas.dc());
    ASSERT_GT(saved, 0);
    IntersectClipRect(canvas.dc(), 2, 2, 6, 6);
    ExcludeClipRect(canvas.dc(), 3, 3, 4, 4);
    FillRect(canvas.dc(), &all, black);
    EXPECT_EQ(canvas.CountNot(all, kWhite), 16 - 1);
    canvas.Expect({{3, 3, kWhite}, {6, 2, kWhite}});
    EXPECT_TRUE(RestoreDC(canvas.dc(), saved));
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(canvas.dc(), probe), 0);
    FillRect(canvas.dc(), &all, black);
    EXPECT_EQ(canvas.CountNot(all, kBlack), 0);
    EXPECT_FALSE(RestoreDC(canvas.dc(), -1));
    DeleteObject(probe);
}

TEST(ClipTest, CombineRgnAndOrCopy) {
    HRGN a = CreateRectRgn(0, 0, 10, 10);
    HRGN b = CreateRectRgn(5, 5, 15, 15);
    HRGN out = CreateRectRgn(0, 0, 0, 0);
    RECT box{};
    EXPECT_EQ(CombineRgn(out, a, b, RGN_AND), SIMPLEREGION);
    GetRgnBox(out, &box);
    EXPECT_EQ(box, (RECT{5, 5, 10, 10}));
    EXPECT_EQ(CombineRgn(out, a, b, RGN_OR), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(out, 14, 14));
    EXPECT_TRUE(PtInRegion(out, 0, 9));
    EXPECT_FALSE(PtInRegion(out, 14, 0));
    EXPECT_EQ(CombineRgn(out, b, 0, RGN_COPY), SIMPLEREGION);
    GetRgnBox(out, &box);
    EXPECT_EQ(box, (RECT{5, 5, 15, 15}));
    EXPECT_EQ(CombineRgn(out, a, HRGN(4242), RGN_AND), RGN_ERROR);
    // A complex clip: two squares, drawing lands in both and nowhere else.
    Canvas canvas(16, 16);
    CombineRgn(out, CreateRectRgn(0, 0, 2, 2), CreateRectRgn(10, 10, 12, 12), RGN_OR);
    SelectClipRgn(canvas.dc(), out);
    RECT all{0, 0, 16, 16};
    FillRect(canvas.dc(), &all, HBRUSH(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(canvas.CountNot(all, kWhite), 8);
    DeleteObject(a);
    DeleteObject(b);
    DeleteObject(out);
}

// Draws with the viewport origin at (5, 4), then reads the pixels back without it.
template <typename Draw>
RECT InkWithViewport(Canvas& canvas, Draw&& draw) {
    canvas.Clear(kWhite);
    SetViewportOrgEx(canvas.dc(), 5, 4, nullptr);
    draw();
    SetViewportOrgEx(canvas.dc(), 0, 0, nullptr);
    return canvas.InkBounds();
}

TEST(ViewportTest, TheOriginMovesDrawingButNotTheClipOrThePatterns) {
    Canvas canvas(16, 16);
    HBRUSH black = HBRUSH(GetStockObject(BLACK_BRUSH));
    RECT small{0, 0, 2, 2}, wide{-5, -4, 11, 12};
    EXPECT_EQ(InkWithViewport(canvas, [&] { FillRect(canvas.dc(), &small, black); }),
              (RECT{5, 4, 7, 6}));
    HRGN clip = CreateRectRgn(0, 0, 6, 16);  // the context's own coordinates
    EXPECT_EQ(InkWithViewport(canvas,
                              [&] {
                                  SelectClipRgn(canvas.dc(), clip);
                                  FillRect(canvas.dc(), &wide, black);
                                  SelectClipRgn(canvas.dc(), 0);
                              }),
              (RECT{0, 0, 6, 16}));
    HBRUSH hatch = CreateHatchBrush(HS_VERTICAL, kBlack);
    SetBkMode(canvas.dc(), TRANSPARENT);
    InkWithViewport(canvas, [&] { FillRect(canvas.dc(), &wide, hatch); });
    // Column 4 of every 8, counted from the corner.
    canvas.Expect({{4, 0, kBlack}, {12, 0, kBlack}, {9, 0, kWhite}}, "hatch");
    POINT previous{1, 1};
    SetViewportOrgEx(canvas.dc(), 3, 3, nullptr);
    OffsetViewportOrgEx(canvas.dc(), -3, -2, &previous);
    EXPECT_EQ(previous, (POINT{3, 3}));
    GetViewportOrgEx(canvas.dc(), &previous);
    EXPECT_EQ(previous, (POINT{0, 1}));
    DeleteObject(hatch);
    DeleteObject(clip);
}

TEST(ClipBoxTest, TheBoxIsInLogicalCoordinates) {
    Canvas canvas(40, 30);
    RECT box{};
    EXPECT_EQ(GetClipBox(canvas.dc(), &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{0, 0, 40, 30}));
    SetViewportOrgEx(canvas.dc(), 10, 5, nullptr);
    EXPECT_EQ(GetClipBox(canvas.dc(), &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{-10, -5, 30, 25}));
    // The rectangle given in logical coordinates comes back as it was given.
    IntersectClipRect(canvas.dc(), 2, 3, 8, 9);
    EXPECT_EQ(GetClipBox(canvas.dc(), &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{2, 3, 8, 9}));
    // And drawing there lands on the pixels the box names, moved by the origin.
    RECT all{-10, -5, 30, 25};
    FillRect(canvas.dc(), &all, HBRUSH(GetStockObject(BLACK_BRUSH)));
    SetViewportOrgEx(canvas.dc(), 0, 0, nullptr);
    EXPECT_EQ(canvas.InkBounds(), (RECT{12, 8, 18, 14}));
    ExcludeClipRect(canvas.dc(), 0, 0, 40, 30);
    EXPECT_EQ(GetClipBox(canvas.dc(), &box), NULLREGION);
}

TEST(RegionKindTest, PiecesThatFormOneRectangleAreASimpleRegion) {
    HRGN left = CreateRectRgn(0, 0, 5, 5);
    HRGN right = CreateRectRgn(5, 0, 10, 5);
    HRGN below = CreateRectRgn(0, 5, 5, 10);
    HRGN out = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(out, left, right, RGN_OR), SIMPLEREGION);
    RECT box{};
    EXPECT_EQ(GetRgnBox(out, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{0, 0, 10, 5}));
    EXPECT_EQ(CombineRgn(out, out, below, RGN_OR), COMPLEXREGION);  // an L shape
    EXPECT_EQ(CombineRgn(out, out, below, RGN_DIFF), SIMPLEREGION);
    EXPECT_EQ(CombineRgn(out, left, left, RGN_XOR), NULLREGION);
    // A rectangle with a hole cut and filled again is simple once more.
    Canvas canvas(10, 10);
    IntersectClipRect(canvas.dc(), 0, 0, 6, 6);
    EXPECT_EQ(ExcludeClipRect(canvas.dc(), 2, 2, 3, 3), COMPLEXREGION);
    EXPECT_EQ(ExcludeClipRect(canvas.dc(), 0, 3, 6, 6), COMPLEXREGION);
    EXPECT_EQ(ExcludeClipRect(canvas.dc(), 0, 2, 6, 3), SIMPLEREGION);
    DeleteObject(left);
    DeleteObject(right);
    DeleteObject(below);
    DeleteObject(out);
}

}  // namespace
}  // namespace vexa::sys::testing
