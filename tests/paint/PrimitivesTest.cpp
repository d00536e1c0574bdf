// Fills, frames, hatches, focus rectangles, lines, pixels, bit-block copies and colours.
#include "paint/PaintTestSupport.h"
#include "vexa/system/paint/HatchPattern.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys::testing {
namespace {

constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 180);

TEST(FillTest, FillCoversLeftTopButNotRightBottomAndFrameDrawsOnePixelInside) {
    Canvas canvas(20, 20);
    HBRUSH red = CreateSolidBrush(kRed);
    RECT r{2, 3, 7, 9};
    EXPECT_EQ(FillRect(canvas.dc(), &r, red), 1);
    canvas.Expect({{2, 3, kRed}, {6, 8, kRed}, {7, 8, kWhite}, {6, 9, kWhite}}, "fill");
    EXPECT_EQ(canvas.CountNot({0, 0, 20, 20}, kWhite), 5 * 6);
    canvas.Clear(kWhite);
    RECT frame{2, 2, 10, 8};
    FrameRect(canvas.dc(), &frame, red);
    canvas.Expect({{2, 2, kRed}, {9, 7, kRed}, {10, 7, kWhite}, {5, 5, kWhite}}, "frame");
    EXPECT_EQ(canvas.CountNot({0, 0, 20, 20}, kWhite), 2 * 8 + 2 * 4);
    DeleteObject(red);
}

TEST(FillTest, SystemColourBrushesFollowTheSystemColourAndSurviveDeletion) {
    Canvas canvas(4, 4);
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    ASSERT_NE(face, 0u);
    EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), face);
    EXPECT_EQ(GetSysColorBrush(32), 0u);
    EXPECT_TRUE(DeleteObject(face));
    RECT r{0, 0, 2, 2}, classic{2, 2, 4, 4};
    FillRect(canvas.dc(), &r, face);
    FillRect(canvas.dc(), &classic, HBRUSH(COLOR_HIGHLIGHT + 1));
    canvas.Expect({{1, 1, GetSysColor(COLOR_BTNFACE)}, {3, 3, GetSysColor(COLOR_HIGHLIGHT)}});
}

TEST(FillTest, InvalidHandlesAreIgnored) {
    Canvas canvas(4, 4);
    RECT r{0, 0, 4, 4};
    HBRUSH brush = CreateSolidBrush(kRed);
    DeleteObject(brush);
    EXPECT_EQ(FillRect(canvas.dc(), &r, brush), 0);
    EXPECT_EQ(FillRect(HDC(12345), &r, GetStockObject(BLACK_BRUSH)), 0);
    EXPECT_EQ(GetPixel(HDC(12345), 0, 0), CLR_INVALID);
    EXPECT_EQ(SelectObject(canvas.dc(), brush), 0u);
    EXPECT_EQ(canvas.CountNot(r, kWhite), 0);
    EXPECT_EQ(CreateHatchBrush(6, kRed), 0u);
}

class HatchTest : public ::testing::TestWithParam<int> {};

TEST_P(HatchTest, EachPatternRepeatsItsEightByEightBitsFromTheOrigin) {
    const int style = GetParam();
    Canvas canvas(16, 16);
    HBRUSH hatch = CreateHatchBrush(style, kBlue);
    SetBkColor(canvas.dc(), kRed);
    const auto& rows = HatchPattern::RowsOf(style);
    // Opaque mode fills the gaps; transparent mode leaves them alone, and a fill starting off
    // the grid stays aligned with it.
    for (const RECT r : {RECT{0, 0, 16, 16}, RECT{3, 5, 16, 16}}) {
        const bool opaque = r.left == 0;
        canvas.Clear(kWhite);
        SetBkMode(canvas.dc(), opaque ? OPAQUE : TRANSPARENT);
        FillRect(canvas.dc(), &r, hatch);
        for (int y = r.top; y < 16; ++y)
            for (int x = r.left; x < 16; ++x) {
                const bool set = (rows[y % 8] & (0x80 >> (x % 8))) != 0;
                ASSERT_EQ(canvas.At(x, y), set ? kBlue : (opaque ? kRed : kWhite)) << x << "," << y;
            }
    }
    DeleteObject(hatch);
}

INSTANTIATE_TEST_SUITE_P(AllStyles, HatchTest, ::testing::Range(HS_HORIZONTAL, HS_DIAGCROSS + 1));

TEST(HatchTest, ClassicPatternBits) {
    EXPECT_EQ(HatchPattern::RowsOf(HS_HORIZONTAL)[3], 0xFF);
    EXPECT_EQ(HatchPattern::RowsOf(HS_VERTICAL)[0], 0x08);
    const struct {
        int style, x, y;
    } set[] = {{HS_FDIAGONAL, 0, 0}, {HS_FDIAGONAL, 7, 7}, {HS_BDIAGONAL, 7, 0},
               {HS_BDIAGONAL, 0, 7}, {HS_DIAGCROSS, 0, 0}, {HS_DIAGCROSS, 7, 0}};
    for (const auto& c : set)
        EXPECT_TRUE(HatchPattern::IsSet(c.style, c.x, c.y)) << c.style << ":" << c.x << "," << c.y;
}

TEST(FocusRectTest, DottedInTheContextColoursAndASecondCallRemovesIt) {
    Canvas canvas(20, 12);
    const std::string before = canvas.Snapshot();
    RECT r{2, 2, 12, 9};
    ASSERT_TRUE(DrawFocusRect(canvas.dc(), &r));
    // White background colour XORed onto white gives black dots on every other pixel.
    canvas.Expect({{2, 2, kBlack}, {3, 2, kWhite}, {4, 2, kBlack}, {2, 3, kWhite}, {6, 5, kWhite}});
    EXPECT_EQ(canvas.CountNot({0, 0, 20, 12}, kWhite), (2 * 10 + 2 * 5) / 2);
    DrawFocusRect(canvas.dc(), &r);
    EXPECT_EQ(canvas.Snapshot(), before);
    canvas.Clear(kBlack);
    SetBkColor(canvas.dc(), RGB(0, 255, 0));
    SetTextColor(canvas.dc(), RGB(0, 0, 255));
    DrawFocusRect(canvas.dc(), &r);
    canvas.Expect({{2, 2, RGB(0, 255, 0)}, {3, 2, RGB(0, 0, 255)}}, "context colours");
}

void Line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

TEST(LineTest, LineExcludesItsEndPointAndNotXorTwiceRestores) {
    Canvas canvas(20, 20);
    HPEN pen = CreatePen(PS_SOLID, 1, kBlack);
    HGDIOBJ old = SelectObject(canvas.dc(), pen);
    Line(canvas.dc(), 2, 5, 10, 5);
    canvas.Expect({{2, 5, kBlack}, {9, 5, kBlack}, {10, 5, kWhite}});
    canvas.Clear(RGB(10, 120, 200));
    const std::string before = canvas.Snapshot();
    EXPECT_EQ(SetROP2(canvas.dc(), R2_NOTXORPEN), R2_COPYPEN);
    Line(canvas.dc(), 4, 0, 4, 20);
    EXPECT_EQ(canvas.At(4, 7), RGB(245, 135, 55));  // not (dst xor black) = inverted
    Line(canvas.dc(), 4, 0, 4, 20);
    EXPECT_EQ(canvas.Snapshot(), before);
    SelectObject(canvas.dc(), old);
    DeleteObject(pen);
}

TEST(LineTest, DottedPenAndDiagonalLines) {
    Canvas canvas(20, 20);
    HPEN dot = CreatePen(PS_DOT, 1, kBlack);
    SelectObject(canvas.dc(), dot);
    SetBkMode(canvas.dc(), TRANSPARENT);
    Line(canvas.dc(), 0, 0, 12, 0);
    EXPECT_EQ(canvas.CountNot({0, 0, 20, 1}, kWhite), 6);
    Line(canvas.dc(), 0, 4, 6, 10);
    SelectObject(canvas.dc(), GetStockObject(BLACK_PEN));
    DeleteObject(dot);
    Line(canvas.dc(), 0, 10, 5, 15);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(canvas.At(i, 10 + i), kBlack);
    EXPECT_EQ(canvas.At(5, 15), kWhite);
}

TEST(LineTest, FarCoordinatesAreCutToTheSurface) {
    Canvas canvas(20, 20);
    Line(canvas.dc(), -2000000000, 5, 2000000000, 5);
    EXPECT_EQ(canvas.CountNot({0, 0, 20, 20}, kWhite), 20);
    Line(canvas.dc(), -1000000000, -1000000000, 1000000000, 1000000000);
    canvas.Expect({{10, 10, kBlack}, {12, 12, kBlack}});
    HPEN wide = CreatePen(PS_SOLID, 1000000, kBlack);
    SelectObject(canvas.dc(), wide);
    canvas.Clear(kWhite);
    Line(canvas.dc(), 0, 0, 2, 0);
    EXPECT_EQ(canvas.CountNot({0, 0, 20, 20}, kWhite), 400);
    SelectObject(canvas.dc(), GetStockObject(BLACK_PEN));
    DeleteObject(wide);
}

TEST(PixelTest, SetPixelGetPixelAndRectangle) {
    Canvas canvas(10, 10);
    EXPECT_EQ(SetPixel(canvas.dc(), 3, 4, kRed), kRed);
    EXPECT_EQ(GetPixel(canvas.dc(), 3, 4), kRed);
    EXPECT_EQ(GetPixel(canvas.dc(), 10, 0), CLR_INVALID);
    canvas.Clear(kWhite);
    HBRUSH fill = CreateSolidBrush(kBlue);
    SelectObject(canvas.dc(), fill);
    Rectangle(canvas.dc(), 1, 1, 6, 5);
    canvas.Expect({{1, 1, kBlack}, {5, 4, kBlack}, {3, 2, kBlue}, {6, 4, kWhite}});
    SelectObject(canvas.dc(), GetStockObject(WHITE_BRUSH));
    DeleteObject(fill);
}

TEST(BitBltTest, SourceCopyOverlappingCopiesAndHugeRequests) {
    Canvas source(10, 10), target(10, 10);
    SetPixel(source.dc(), 1, 1, kRed);
    SetPixel(source.dc(), 2, 1, kBlue);
    EXPECT_TRUE(BitBlt(target.dc(), 5, 6, 3, 2, source.dc(), 1, 1, SRCCOPY));
    target.Expect({{5, 6, kRed}, {6, 6, kBlue}, {4, 6, kWhite}}, "copy");
    EXPECT_EQ(target.CountNot({0, 0, 10, 10}, kWhite), 2);
    BitBlt(target.dc(), 4, 6, 4, 1, target.dc(), 5, 6, SRCCOPY);
    target.Expect({{4, 6, kRed}, {5, 6, kBlue}}, "overlapping");
    BitBlt(target.dc(), 0, 0, 10, 10, 0, 0, 0, DSTINVERT);
    EXPECT_EQ(target.At(0, 0), kBlack);
    EXPECT_FALSE(BitBlt(target.dc(), 0, 0, 1, 1, HDC(999), 0, 0, SRCCOPY));
    // Only what lands on the surface is copied.
    source.Clear(kBlack);
    EXPECT_TRUE(BitBlt(target.dc(), -1000000, -1000000, 2000000, 2000000, source.dc(), -1000000,
                       -1000000, SRCCOPY));
    EXPECT_EQ(target.CountNot({0, 0, 10, 10}, kBlack), 0);
}

TEST(ColorTest, OleTranslateColorMapsSystemColoursAndRejectsInvalidOnes) {
    constexpr COLORREF kNone = CLR_INVALID;
    const struct {
        OLE_COLOR in;
        COLORREF out;  // kNone: refused
    } cases[] = {
        {RGB(1, 2, 3), RGB(1, 2, 3)},
        {0x80000000u | COLOR_WINDOW, GetSysColor(COLOR_WINDOW)},
        {0xFFFFFFFFu, kNone},
        {0x80000000u | 40, kNone},
        // Only the low word of a system colour is its index; other high bytes are no colour.
        {0x80010000u | COLOR_HIGHLIGHT, GetSysColor(COLOR_HIGHLIGHT)},
        {0x80000000u | COLOR_MENUBAR, GetSysColor(COLOR_MENUBAR)},
        {0x80000000u | (COLOR_MENUBAR + 1), kNone},
        {0x81000000u | COLOR_WINDOW, kNone},
    };
    for (const auto& c : cases) {
        COLORREF out = 0;
        const HRESULT hr = OleTranslateColor(c.in, 0, &out);
        EXPECT_EQ(hr == S_OK, c.out != kNone) << std::hex << c.in;
        EXPECT_EQ(out, c.out) << std::hex << c.in;
    }
}

TEST(ObjectTest, SelectObjectReturnsThePreviousObjectAndHandlesAreNotReused) {
    Canvas canvas(4, 4);
    HBRUSH a = CreateSolidBrush(kRed);
    HBRUSH b = CreateSolidBrush(kBlue);
    EXPECT_EQ(SelectObject(canvas.dc(), a), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(SelectObject(canvas.dc(), b), a);
    EXPECT_EQ(GetObjectType(a), OBJ_BRUSH);
    EXPECT_EQ(GetObjectType(canvas.dc()), OBJ_MEMDC);
    DeleteObject(a);
    EXPECT_EQ(GetObjectType(a), 0);
    HBRUSH c = CreateSolidBrush(kRed);
    EXPECT_NE(c, a);
    SelectObject(canvas.dc(), GetStockObject(WHITE_BRUSH));
    DeleteObject(b);
    DeleteObject(c);
}

}  // namespace
}  // namespace vexa::sys::testing
