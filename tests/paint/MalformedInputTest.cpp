// Coordinates at the ends of the integer range, null and destroyed handles, negative sizes:
// each call fails or draws what lands on the surface, and nothing else changes.
#include <climits>

#include "paint/PaintTestSupport.h"
#include "vexa/system/paint/ImageList.h"

namespace vexa::sys::testing {
namespace {

constexpr COLORREF kRed = RGB(200, 0, 0);

TEST(ExtremeCoordinatesTest, FillsCoverTheSurfaceAndFramesFallOutsideIt) {
    Canvas canvas(8, 8);
    HBRUSH red = CreateSolidBrush(kRed);
    const RECT huge{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    EXPECT_EQ(FrameRect(canvas.dc(), &huge, red), 1);
    EXPECT_EQ(canvas.CountNot({0, 0, 8, 8}, kWhite), 0);
    EXPECT_TRUE(DrawFocusRect(canvas.dc(), &huge));
    EXPECT_EQ(canvas.CountNot({0, 0, 8, 8}, kWhite), 0);
    EXPECT_EQ(FillRect(canvas.dc(), &huge, red), 1);
    EXPECT_EQ(canvas.CountNot({0, 0, 8, 8}, kRed), 0);
    DeleteObject(red);
}

TEST(ExtremeCoordinatesTest, BlitsWithHugeExtentsCopyWhatThereIs) {
    Canvas source(4, 4), target(8, 8);
    source.Clear(kRed);
    EXPECT_TRUE(BitBlt(target.dc(), 2, 2, INT_MAX, INT_MAX, source.dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(target.CountNot({0, 0, 8, 8}, kWhite), 16);
    target.Expect({{2, 2, kRed}, {5, 5, kRed}, {6, 6, kWhite}}, "copy");
    EXPECT_TRUE(BitBlt(target.dc(), 0, 0, 8, 8, source.dc(), INT_MIN, INT_MAX, SRCCOPY));
    EXPECT_EQ(target.CountNot({0, 0, 8, 8}, kWhite), 16);
    EXPECT_TRUE(PatBlt(target.dc(), INT_MAX - 1, 0, INT_MAX, 8, BLACKNESS));
    EXPECT_TRUE(PatBlt(target.dc(), 6, -100, INT_MAX, INT_MAX, BLACKNESS));
    target.Expect({{6, 0, kBlack}, {7, 6, kBlack}, {5, 0, kWhite}}, "pattern");
}

TEST(ExtremeCoordinatesTest, TextInAHugeRectangleIsLaidOutAndMeasured) {
    Canvas canvas(60, 20);
    TEXTMETRIC tm;
    GetTextMetrics(canvas.dc(), &tm);
    RECT huge{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    EXPECT_EQ(DrawText(canvas.dc(), "one two", -1, &huge, DT_WORDBREAK | DT_CENTER), tm.tmHeight);
    EXPECT_EQ(huge.left, INT_MIN);
    EXPECT_EQ(huge.right, INT_MAX);
    RECT measured{0, 0, INT_MAX, INT_MAX};
    EXPECT_EQ(DrawText(canvas.dc(), "one two", -1, &measured, DT_CALCRECT | DT_WORDBREAK),
              tm.tmHeight);
    SIZE size;
    GetTextExtentPoint32(canvas.dc(), "one two", -1, &size);
    EXPECT_EQ(measured.right, size.cx);
    EXPECT_EQ(measured.bottom, tm.tmHeight);
}

TEST(NegativeSizesTest, InvertedAndNegativeRectanglesDrawNothingHarmful) {
    Canvas canvas(20, 20);
    HBRUSH red = CreateSolidBrush(kRed);
    RECT inverted{10, 10, 2, 2};
    EXPECT_EQ(FillRect(canvas.dc(), &inverted, red), 1);
    EXPECT_EQ(FrameRect(canvas.dc(), &inverted, red), 1);
    EXPECT_EQ(canvas.CountNot({0, 0, 20, 20}, kWhite), 0);
    EXPECT_EQ(CreateCompatibleBitmap(canvas.dc(), -4, 4), 0u);
    EXPECT_EQ(CreateCompatibleBitmap(canvas.dc(), 4, 0), 0u);
    EXPECT_EQ(ImageList_Create(-16, 16, ILC_COLOR32, 1, 1), 0u);
    EXPECT_FALSE(BitBlt(canvas.dc(), 0, 0, -5, 5, canvas.dc(), 0, 0, SRCCOPY));
    // Text in a rectangle of negative width: each word on its own line, ellipses of
    // nothing but dots, and the measured width of the widest piece.
    std::string text = "alpha beta";
    RECT r{10, 0, 5, 20};
    DrawText(canvas.dc(), text, -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    EXPECT_EQ(text, "...");
    // Clipped to an inverted rectangle, nothing of it shows.
    EXPECT_EQ(canvas.CountNot({0, 0, 20, 20}, kWhite), 0);
    RECT wrapped{10, 0, 5, 0};
    TEXTMETRIC tm;
    GetTextMetrics(canvas.dc(), &tm);
    const int height = DrawText(canvas.dc(), "alpha beta", -1, &wrapped,
                                DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_WORD_ELLIPSIS);
    EXPECT_EQ(height, wrapped.bottom - wrapped.top);
    EXPECT_GE(wrapped.bottom - wrapped.top, 2 * tm.tmHeight);
    DeleteObject(red);
}

TEST(DestroyedHandlesTest, CallsOnThemFailWithoutDrawing) {
    Canvas canvas(16, 16);
    HDC gone = CreateCompatibleDC(0);
    ASSERT_TRUE(DeleteDC(gone));
    RECT r{0, 0, 16, 16};
    EXPECT_EQ(FillRect(gone, &r, GetStockObject(BLACK_BRUSH)), 0);
    EXPECT_EQ(DrawText(gone, "x", -1, &r, 0), 0);
    EXPECT_FALSE(DrawFocusRect(gone, &r));
    EXPECT_FALSE(DrawFrameControl(gone, &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED));
    EXPECT_FALSE(BitBlt(canvas.dc(), 0, 0, 16, 16, gone, 0, 0, SRCCOPY));
    EXPECT_EQ(SaveDC(gone), 0);
    EXPECT_FALSE(RestoreDC(gone, -1));
    EXPECT_EQ(SelectClipRgn(gone, 0), RGN_ERROR);
    EXPECT_FALSE(DeleteDC(gone));

    HRGN region = CreateRectRgn(0, 0, 4, 4);
    ASSERT_TRUE(DeleteObject(region));
    EXPECT_EQ(SelectClipRgn(canvas.dc(), region), RGN_ERROR);
    EXPECT_EQ(GetClipRgn(canvas.dc(), region), -1);

    HIMAGELIST list = ImageList_Create(4, 4, ILC_COLOR32, 1, 1);
    HBITMAP strip = CreateCompatibleBitmap(canvas.dc(), 4, 4);
    ASSERT_EQ(ImageList_Add(list, strip, 0), 0);
    HICON icon = ImageList_GetIcon(list, 0, 0);
    ASSERT_TRUE(ImageList_Destroy(list));
    EXPECT_FALSE(
        ImageList_DrawEx(list, 0, canvas.dc(), 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_TRANSPARENT));
    EXPECT_FALSE(ImageList_GetIconSize(list, nullptr, nullptr));
    ASSERT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(
        DrawStateA(canvas.dc(), 0, nullptr, LPARAM(icon), 0, 0, 0, 0, 0, DST_ICON | DSS_DISABLED));
    EXPECT_EQ(canvas.CountNot(r, kWhite), 0);
    DeleteObject(strip);
}

TEST(NullArgumentsTest, NullRectanglesAndHandlesAreRefused) {
    Canvas canvas(8, 8);
    EXPECT_EQ(FillRect(canvas.dc(), nullptr, GetStockObject(BLACK_BRUSH)), 0);
    EXPECT_EQ(FrameRect(canvas.dc(), nullptr, GetStockObject(BLACK_BRUSH)), 0);
    EXPECT_EQ(DrawText(canvas.dc(), "x", -1, nullptr, 0), 0);
    EXPECT_FALSE(DrawFocusRect(canvas.dc(), nullptr));
    EXPECT_FALSE(DrawFrameControl(canvas.dc(), nullptr, DFC_SCROLL, DFCS_SCROLLCOMBOBOX));
    EXPECT_FALSE(DrawEdge(canvas.dc(), nullptr, EDGE_SUNKEN, BF_RECT));
    EXPECT_EQ(CreateRectRgnIndirect(nullptr), 0u);
    RECT r{0, 0, 8, 8};
    EXPECT_EQ(FillRect(canvas.dc(), &r, 0), 0);
    EXPECT_EQ(FillRect(0, &r, GetStockObject(BLACK_BRUSH)), 0);
    EXPECT_EQ(DrawText(0, "x", -1, &r, DT_CALCRECT), 0);
    EXPECT_EQ(r.right, 8);
    EXPECT_EQ(SelectObject(canvas.dc(), 0), 0u);
    EXPECT_FALSE(ImageList_DrawEx(0, 0, canvas.dc(), 0, 0, 0, 0, CLR_NONE, CLR_NONE, 0));
    EXPECT_FALSE(DrawStateA(canvas.dc(), 0, nullptr, 0, 0, 0, 0, 0, 0, DST_ICON));
    EXPECT_EQ(canvas.CountNot(r, kWhite), 0);
}

TEST(WidePenTest, AnInvertingWideLineDrawnTwiceRestoresEveryPixel) {
    Canvas canvas(40, 40);
    canvas.Clear(RGB(10, 120, 200));
    const std::string before = canvas.Snapshot();
    HPEN pen = CreatePen(PS_SOLID, 3, kBlack);
    HGDIOBJ old = SelectObject(canvas.dc(), pen);
    SetROP2(canvas.dc(), R2_NOTXORPEN);
    MoveToEx(canvas.dc(), 5, 10, nullptr);
    LineTo(canvas.dc(), 30, 10);
    // Once drawn, the whole 3-pixel band is inverted, its first columns included.
    const COLORREF inverted = RGB(245, 135, 55);
    for (int y = 9; y <= 11; ++y)
        for (int x = 4; x <= 29; ++x) EXPECT_EQ(canvas.At(x, y), inverted) << x << "," << y;
    EXPECT_EQ(canvas.At(10, 8), RGB(10, 120, 200));
    MoveToEx(canvas.dc(), 5, 10, nullptr);
    LineTo(canvas.dc(), 30, 10);
    EXPECT_EQ(canvas.Snapshot(), before);
    // A diagonal one too.
    MoveToEx(canvas.dc(), 3, 3, nullptr);
    LineTo(canvas.dc(), 35, 30);
    EXPECT_NE(canvas.Snapshot(), before);
    MoveToEx(canvas.dc(), 3, 3, nullptr);
    LineTo(canvas.dc(), 35, 30);
    EXPECT_EQ(canvas.Snapshot(), before);
    SelectObject(canvas.dc(), old);
    DeleteObject(pen);
}

}  // namespace
}  // namespace vexa::sys::testing
