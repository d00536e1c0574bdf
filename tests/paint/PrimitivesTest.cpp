// Fills, frames, hatches, focus rectangles, lines, pixels, bit-block copies and colours.
#include "paint/PaintTestSupport.h"
#include "vexa/system/paint/HatchPattern.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys::testing {
namespace {

constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 180);

TEST(FillTest, FillRectCoversLeftTopButNotRightBottom) {
    Canvas canvas(20, 20);
    HBRUSH red = CreateSolidBrush(kRed);
    RECT r{2, 3, 7, 9};
    EXPECT_EQ(FillRect(canvas.dc(), &r, red), 1);
    EXPECT_EQ(canvas.At(2, 3), kRed);
    EXPECT_EQ(canvas.At(6, 8), kRed);
    EXPECT_EQ(canvas.At(7, 8), kWhite);
    EXPECT_EQ(canvas.At(6, 9), kWhite);
    EXPECT_EQ(canvas.CountNot({0, 0, 20, 20}, kWhite), 5 * 6);
    DeleteObject(red);
}

TEST(FillTest, FrameRectDrawsOnePixelInsideTheRectangle) {
    Canvas canvas(20, 20);
    HBRUSH blue = CreateSolidBrush(kBlue);
    RECT r{2, 2, 10, 8};
    FrameRect(canvas.dc(), &r, blue);
    EXPECT_EQ(canvas.At(2, 2), kBlue);
    EXPECT_EQ(canvas.At(9, 7), kBlue);
    EXPECT_EQ(canvas.At(10, 7), kWhite);
    EXPECT_EQ(canvas.At(5, 5), kWhite);
    EXPECT_EQ(canvas.CountNot({0, 0, 20, 20}, kWhite), 2 * 8 + 2 * 4);
    DeleteObject(blue);
}

TEST(FillTest, SystemColourBrushesFollowTheSystemColourAndSurviveDeletion) {
    Canvas canvas(4, 4);
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    ASSERT_NE(face, 0u);
    EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), face);
    EXPECT_EQ(GetSysColorBrush(32), 0u);
    EXPECT_TRUE(DeleteObject(face));
    RECT r{0, 0, 2, 2};
    FillRect(canvas.dc(), &r, face);
    EXPECT_EQ(canvas.At(1, 1), GetSysColor(COLOR_BTNFACE));
    RECT classic{2, 2, 4, 4};
    FillRect(canvas.dc(), &classic, HBRUSH(COLOR_HIGHLIGHT + 1));
    EXPECT_EQ(canvas.At(3, 3), GetSysColor(COLOR_HIGHLIGHT));
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
    RECT r{0, 0, 16, 16};
    FillRect(canvas.dc(), &r, hatch);
    const auto& rows = HatchPattern::RowsOf(style);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const bool set = (rows[y % 8] & (0x80 >> (x % 8))) != 0;
            ASSERT_EQ(canvas.At(x, y), set ? kBlue : kRed) << x << "," << y;
        }
    // Transparent mode leaves the gaps alone; a fill starting off the grid stays aligned.
    canvas.Clear(kWhite);
    SetBkMode(canvas.dc(), TRANSPARENT);
    RECT shifted{3, 5, 16, 16};
    FillRect(canvas.dc(), &shifted, hatch);
    for (int y = 5; y < 16; ++y)
        for (int x = 3; x < 16; ++x) {
            const bool set = (rows[y % 8] & (0x80 >> (x % 8))) != 0;
            ASSERT_EQ(canvas.At(x, y), set ? kBlue : kWhite) << x << "," << y;
        }
    DeleteObject(hatch);
}

INSTANTIATE_TEST_SUITE_P(AllStyles, HatchTest, ::testing::Range(HS_HORIZONTAL, HS_DIAGCROSS + 1));

TEST(HatchTest, ClassicPatternBits) {
    EXPECT_EQ(HatchPattern::RowsOf(HS_HORIZONTAL)[3], 0xFF);
    EXPECT_EQ(HatchPattern::RowsOf(HS_VERTICAL)[0], 0x08);
    EXPECT_TRUE(HatchPattern::IsSet(HS_FDIAGONAL, 0, 0));
    EXPECT_TRUE(HatchPattern::IsSet(HS_FDIAGONAL, 7, 7));
    EXPECT_TRUE(HatchPattern::IsSet(HS_BDIAGONAL, 7, 0));
    EXPECT_TRUE(HatchPattern::IsSet(HS_BDIAGONAL, 0, 7));
    EXPECT_TRUE(HatchPattern::IsSet(HS_DIAGCROSS, 0, 0) && HatchPattern::IsSet(HS_DIAGCROSS, 7, 0));
}

TEST(FocusRectTest, DottedInTheContextColoursAndASecondCallRemovesIt) {
    Canvas canvas(20, 12);
    const std::string before = canvas.Snapshot();
    RECT r{2, 2, 12, 9};
    ASSERT_TRUE(DrawFocusRect(canvas.dc(), &r));
    // White background colour XORed onto white gives black dots on every other pixel.
    EXPECT_EQ(canvas.At(2, 2), kBlack);
    EXPECT_EQ(canvas.At(3, 2), kWhite);
    EXPECT_EQ(canvas.At(4, 2), kBlack);
    EXPECT_EQ(canvas.At(2, 3), kWhite);
    EXPECT_EQ(canvas.At(6, 5), kWhite);
    EXPECT_EQ(canvas.CountNot({0, 0, 20, 12}, kWhite), (2 * 10 + 2 * 5) / 2);
    DrawFocusRect(canvas.dc(), &r);
    EXPECT_EQ(canvas.Snapshot(), before);
}

TEST(FocusRectTest, UsesTheBackgroundAndTextColours) {
    Canvas canvas(10, 10);
    canvas.Clear(kBlack);
    SetBkColor(canvas.dc(), RGB(0, 255, 0));
    SetTextColor(canvas.dc(), RGB(0, 0, 255));
    RECT r{0, 0, 10, 10};
    DrawFocusRect(canvas.dc(), &r);
    EXPECT_EQ(canvas.At(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(canvas.At(1, 0), RGB(0, 0, 255));
}

TEST(LineTest, LineExcludesItsEndPointAndNotXorTwiceRestores) {
    Canvas canvas(20, 20);
    HPEN pen = CreatePen(PS_SOLID, 1, kBlack);
    HGDIOBJ old = SelectObject(canvas.dc(), pen);
    MoveToEx(canvas.dc(), 2, 5, nullptr);
    LineTo(canvas.dc(), 10, 5);
    EXPECT_EQ(canvas.At(2, 5), kBlack);
    EXPECT_EQ(canvas.At(9, 5), kBlack);
    EXPECT_EQ(canvas.At(10, 5), kWhite);
    canvas.Clear(RGB(10, 120, 200));
    const std::string before = canvas.Snapshot();
    EXPECT_EQ(SetROP2(canvas.dc(), R2_NOTXORPEN), R2_COPYPEN);
    MoveToEx(canvas.dc(), 4, 0, nullptr);
    LineTo(canvas.dc(), 4, 20);
    EXPECT_EQ(canvas.At(4, 7), RGB(245, 135, 55));  // not (dst xor black) = inverted
    MoveToEx(canvas.dc(), 4, 0, nullptr);
    LineTo(canvas.dc(), 4, 20);
    EXPECT_EQ(canvas.Snapshot(), before);
    SelectObject(canvas.dc(), old);
    DeleteObject(pen);
}

TEST(LineTest, DottedPenAndDiagonalLines) {
    Canvas canvas(20, 20);
    HPEN dot = CreatePen(PS_DOT, 1, kBlack);
    SelectObject(canvas.dc(), dot);
    SetBkMode(canvas.dc(), TRANSPARENT);
    MoveToEx(canvas.dc(), 0, 0, nullptr);
    LineTo(canvas.dc(), 12, 0);
    EXPECT_EQ(canvas.CountNot({0, 0, 20, 1}, kWhite), 6);
    MoveToEx(canvas.dc(), 0, 4, nullptr);
    LineTo(canvas.dc(), 6, 10);
    SelectObject(canvas.dc(), GetStockObject(BLACK_PEN));
    DeleteObject(dot);
    MoveToEx(canvas.dc(), 0, 10, nullptr);
    LineTo(canvas.dc(), 5, 15);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(canvas.At(i, 10 + i), kBlack);
    EXPECT_EQ(canvas.At(5, 15), kWhite);
}

TEST(LineTest, FarCoordinatesAreCutToTheSurface) {
    Canvas canvas(20, 20);
    MoveToEx(canvas.dc(), -2000000000, 5, nullptr);
    LineTo(canvas.dc(), 2000000000, 5);
    EXPECT_EQ(canvas.CountNot({0, 0, 20, 20}, kWhite), 20);
    MoveToEx(canvas.dc(), -1000000000, -1000000000, nullptr);
    LineTo(canvas.dc(), 1000000000, 1000000000);
    EXPECT_EQ(canvas.At(10, 10), kBlack);
    EXPECT_EQ(canvas.At(12, 12), kBlack);
    HPEN wide = CreatePen(PS_SOLID, 1000000, kBlack);
    SelectObject(canvas.dc(), wide);
    canvas.Clear(kWhite);
    MoveToEx(canvas.dc(), 0, 0, nullptr);
    LineTo(canvas.dc(), 2, 0);
    EXPECT_EQ(canvas.CountNot({0, 0, 20, 20}, kWhite), 400);
    SelectObject(canvas.dc(), GetStockObject(BLACK_PEN));
    DeleteObject(wide);
}

TEST(BitBltTest, HugeRequestsCopyOnlyWhatLandsOnTheSurface) {
    Canvas source(10, 10), target(10, 10);
    source.Clear(kBlack);
    EXPECT_TRUE(BitBlt(target.dc(), -1000000, -1000000, 2000000, 2000000, source.dc(), -1000000,
                       -1000000, SRCCOPY));
    EXPECT_EQ(target.CountNot({0, 0, 10, 10}, kBlack), 0);
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
    EXPECT_EQ(canvas.At(1, 1), kBlack);
    EXPECT_EQ(canvas.At(5, 4), kBlack);
    EXPECT_EQ(canvas.At(3, 2), kBlue);
    EXPECT_EQ(canvas.At(6, 4), kWhite);
    SelectObject(canvas.dc(), GetStockObject(WHITE_BRUSH));
    DeleteObject(fill);
}

TEST(BitBltTest, SourceCopyAndOverlappingCopies) {
    Canvas source(10, 10), target(10, 10);
    SetPixel(source.dc(), 1, 1, kRed);
    SetPixel(source.dc(), 2, 1, kBlue);
    EXPECT_TRUE(BitBlt(target.dc(), 5, 6, 3, 2, source.dc(), 1, 1, SRCCOPY));
    EXPECT_EQ(target.At(5, 6), kRed);
    EXPECT_EQ(target.At(6, 6), kBlue);
    EXPECT_EQ(target.At(4, 6), kWhite);
    EXPECT_EQ(target.CountNot({0, 0, 10, 10}, kWhite), 2);
    BitBlt(target.dc(), 4, 6, 4, 1, target.dc(), 5, 6, SRCCOPY);
    EXPECT_EQ(target.At(4, 6), kRed);
    EXPECT_EQ(target.At(5, 6), kBlue);
    BitBlt(target.dc(), 0, 0, 10, 10, 0, 0, 0, DSTINVERT);
    EXPECT_EQ(target.At(0, 0), kBlack);
    EXPECT_FALSE(BitBlt(target.dc(), 0, 0, 1, 1, HDC(999), 0, 0, SRCCOPY));
}

TEST(ColorTest, OleTranslateColorMapsSystemColoursAndRejectsInvalidOnes) {
    COLORREF out = 0;
    EXPECT_EQ(OleTranslateColor(RGB(1, 2, 3), 0, &out), S_OK);
    EXPECT_EQ(out, RGB(1, 2, 3));
    EXPECT_EQ(OleTranslateColor(0x80000000u | COLOR_WINDOW, 0, &out), S_OK);
    EXPECT_EQ(out, GetSysColor(COLOR_WINDOW));
    EXPECT_NE(OleTranslateColor(0xFFFFFFFFu, 0, &out), S_OK);
    EXPECT_EQ(out, CLR_INVALID);
    EXPECT_NE(OleTranslateColor(0x80000000u | 40, 0, &out), S_OK);
    // Only the low word of a system colour is its index; other high bytes are no colour.
    EXPECT_EQ(OleTranslateColor(0x80010000u | COLOR_HIGHLIGHT, 0, &out), S_OK);
    EXPECT_EQ(out, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(OleTranslateColor(0x80000000u | COLOR_MENUBAR, 0, &out), S_OK);
    EXPECT_NE(OleTranslateColor(0x80000000u | (COLOR_MENUBAR + 1), 0, &out), S_OK);
    EXPECT_NE(OleTranslateColor(0x81000000u | COLOR_WINDOW, 0, &out), S_OK);
    EXPECT_EQ(out, CLR_INVALID);
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
