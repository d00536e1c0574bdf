// Text drawing and measuring with the text-format bits, checked through pixels and
// DT_CALCRECT / DT_MODIFYSTRING results.
#include <algorithm>

#include "paint/PaintTestSupport.h"

namespace vexa::sys::testing {
namespace {

TEST(TextMetricsTest, DefaultGuiFontIsAReadableSize) {
    Canvas canvas(10, 10);
    TEXTMETRIC tm;
    ASSERT_TRUE(GetTextMetrics(canvas.dc(), &tm));
    EXPECT_GE(tm.tmHeight, 11);
    EXPECT_LE(tm.tmHeight, 16);
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    EXPECT_GT(tm.tmAveCharWidth, 3);
    EXPECT_GT(WidthOf(canvas.dc(), "WWWW"), WidthOf(canvas.dc(), "iiii"));
}

TEST(TextMetricsTest, FontsFromFieldsAndLogFonts) {
    Canvas canvas(10, 10);
    FontFields fields;
    fields.Size = 12;
    fields.Bold = true;
    HFONT big = CreateFontFromFields(fields);
    LOGFONT lf;
    ASSERT_TRUE(GetFontLogFont(big, &lf));
    EXPECT_EQ(lf.lfHeight, -16);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    const int normalWidth = WidthOf(canvas.dc(), "Hello");
    HGDIOBJ old = SelectObject(canvas.dc(), big);
    EXPECT_GT(WidthOf(canvas.dc(), "Hello"), normalWidth);
    EXPECT_GT(LineHeight(canvas.dc()), 16);
    SelectObject(canvas.dc(), old);
    DeleteObject(big);
    LOGFONT cell;
    cell.lfHeight = 20;
    HFONT byCell = CreateFontIndirect(&cell);
    SelectObject(canvas.dc(), byCell);
    EXPECT_NEAR(LineHeight(canvas.dc()), 20, 1);
    SelectObject(canvas.dc(), old);
    DeleteObject(byCell);
}

TEST(DrawTextTest, HorizontalAlignmentPlacesTheInk) {
    Canvas canvas(200, 30);
    const std::string text = "Grid";
    const int width = WidthOf(canvas.dc(), text);
    RECT r{0, 0, 200, 30};
    DrawText(canvas.dc(), text, -1, &r, DT_LEFT | DT_SINGLELINE);
    const RECT left = canvas.InkBounds();
    EXPECT_LE(left.left, 2);
    canvas.Clear(kWhite);
    DrawText(canvas.dc(), text, -1, &r, DT_RIGHT | DT_SINGLELINE);
    const RECT right = canvas.InkBounds();
    EXPECT_GE(right.right, 197);
    EXPECT_LE(right.right, 200);
    canvas.Clear(kWhite);
    DrawText(canvas.dc(), text, -1, &r, DT_CENTER | DT_SINGLELINE);
    const RECT centre = canvas.InkBounds();
    EXPECT_NEAR((centre.left + centre.right) / 2.0, 100.0, 2.0);
    EXPECT_NEAR(right.left - left.left, 200 - width, 1);
}

TEST(DrawTextTest, VerticalCentringAndBottomOfSingleLines) {
    Canvas canvas(100, 60);
    RECT r{0, 0, 100, 60};
    const int h = LineHeight(canvas.dc());
    const int top = DrawText(canvas.dc(), "Hy", -1, &r, DT_SINGLELINE);
    EXPECT_EQ(top, h);
    const RECT topInk = canvas.InkBounds();
    canvas.Clear(kWhite);
    const int centred = DrawText(canvas.dc(), "Hy", -1, &r, DT_SINGLELINE | DT_VCENTER);
    const RECT centreInk = canvas.InkBounds();
    EXPECT_EQ(centreInk.top - topInk.top, (60 - h) / 2);
    EXPECT_EQ(centred, (60 - h) / 2 + h);
    canvas.Clear(kWhite);
    DrawText(canvas.dc(), "Hy", -1, &r, DT_SINGLELINE | DT_BOTTOM);
    EXPECT_EQ(canvas.InkBounds().top - topInk.top, 60 - h);
    // Without DT_SINGLELINE vertical centring does not apply.
    canvas.Clear(kWhite);
    DrawText(canvas.dc(), "Hy", -1, &r, DT_VCENTER);
    EXPECT_EQ(canvas.InkBounds().top, topInk.top);
}

TEST(DrawTextTest, TextIsClippedToTheRectangleUnlessNoClip) {
    Canvas canvas(100, 30);
    RECT r{0, 0, 10, 30};
    DrawText(canvas.dc(), "Wide text here", -1, &r, DT_SINGLELINE);
    EXPECT_LE(canvas.InkBounds().right, 10);
    canvas.Clear(kWhite);
    DrawText(canvas.dc(), "Wide text here", -1, &r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(canvas.InkBounds().right, 30);
}

TEST(DrawTextTest, OpaqueModeFillsTheTextBackgroundAndColoursApply) {
    Canvas canvas(100, 30);
    SetBkColor(canvas.dc(), RGB(0, 200, 0));
    SetTextColor(canvas.dc(), RGB(200, 0, 0));
    RECT r{10, 5, 100, 30};
    DrawText(canvas.dc(), "Text", -1, &r, DT_SINGLELINE);
    EXPECT_EQ(canvas.At(10, 5), RGB(0, 200, 0));
    EXPECT_EQ(canvas.At(9, 5), kWhite);
    canvas.Clear(kWhite);
    SetBkMode(canvas.dc(), TRANSPARENT);
    DrawText(canvas.dc(), "Text", -1, &r, DT_SINGLELINE);
    EXPECT_EQ(canvas.At(10, 5), kWhite);
    bool red = false;
    for (int y = 5; y < 25; ++y)
        for (int x = 10; x < 40; ++x) red = red || canvas.At(x, y) == RGB(200, 0, 0);
    EXPECT_TRUE(red);
}

TEST(CalcRectTest, MeasuresLinesAndWidthWithoutDrawing) {
    Canvas canvas(50, 50);
    const int h = LineHeight(canvas.dc());
    RECT r{5, 5, 5, 5};
    EXPECT_EQ(DrawText(canvas.dc(), "one\r\ntwo lines\nthree", -1, &r, DT_CALCRECT), 3 * h);
    EXPECT_EQ(r.bottom, 5 + 3 * h);
    EXPECT_EQ(r.right - r.left, WidthOf(canvas.dc(), "two lines"));
    EXPECT_EQ(canvas.CountNot({0, 0, 50, 50}, kWhite), 0);
    RECT single{0, 0, 0, 0};
    EXPECT_EQ(DrawText(canvas.dc(), "a\r\nb", -1, &single, DT_CALCRECT | DT_SINGLELINE), h);
}

TEST(CalcRectTest, WordBreakGivesTheWidestLineAndGrowsTheHeight) {
    Canvas canvas(10, 10);
    const int h = LineHeight(canvas.dc());
    const int first = WidthOf(canvas.dc(), "alpha beta");
    const int second = WidthOf(canvas.dc(), "gamma delta");
    // Room for either pair, not for three words: two lines, as wide as the wider pair.
    const int room = std::max(first, second) + 2;
    ASSERT_LT(room, WidthOf(canvas.dc(), "alpha beta gamma"));
    RECT r{3, 4, 3 + room, 4};
    EXPECT_EQ(DrawText(canvas.dc(), "alpha beta gamma delta", -1, &r, DT_CALCRECT | DT_WORDBREAK),
              2 * h);
    EXPECT_EQ(r.left, 3);
    EXPECT_EQ(r.right, 3 + std::max(first, second));
    EXPECT_EQ(r.bottom, 4 + 2 * h);
    RECT narrow{0, 0, 1, 0};
    EXPECT_EQ(DrawText(canvas.dc(), "a b c d", -1, &narrow, DT_CALCRECT | DT_WORDBREAK), 4 * h);
    EXPECT_EQ(narrow.right, std::max({WidthOf(canvas.dc(), "a"), WidthOf(canvas.dc(), "b"),
                                      WidthOf(canvas.dc(), "c"), WidthOf(canvas.dc(), "d")}));
    // A rectangle wider than the text shrinks to it.
    RECT wide{0, 0, 1000, 0};
    EXPECT_EQ(DrawText(canvas.dc(), "a b c d", -1, &wide, DT_CALCRECT | DT_WORDBREAK), h);
    EXPECT_EQ(wide.right, WidthOf(canvas.dc(), "a b c d"));
}

TEST(CalcRectTest, LongWordsBreakOnlyLikeAnEditControl) {
    Canvas canvas(10, 10);
    const int h = LineHeight(canvas.dc());
    const std::string word = "abcdefghijklmnopqrstuvwxyz";
    RECT r{0, 0, WidthOf(canvas.dc(), "abcdefgh"), 0};
    EXPECT_EQ(DrawText(canvas.dc(), word, -1, &r, DT_CALCRECT | DT_WORDBREAK), h);
    EXPECT_EQ(r.right, WidthOf(canvas.dc(), word));
    RECT edit{0, 0, WidthOf(canvas.dc(), "abcdefgh"), 0};
    EXPECT_GE(DrawText(canvas.dc(), word, -1, &edit, DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL),
              3 * h);
}

std::string Shortened(HDC dc, std::string text, int width, std::uint32_t ellipsis) {
    RECT r{0, 0, width, 20};
    DrawText(dc, text, -1, &r, ellipsis | DT_MODIFYSTRING | DT_SINGLELINE | DT_NOPREFIX);
    return text;
}

TEST(EllipsisTest, EndEllipsisCutsTheEndAndFits) {
    Canvas canvas(200, 20);
    const std::string text = "The quick brown fox";
    const int width = WidthOf(canvas.dc(), "The quick b...");
    const std::string result = Shortened(canvas.dc(), text, width, DT_END_ELLIPSIS);
    EXPECT_EQ(result, "The quick b...");
    EXPECT_EQ(Shortened(canvas.dc(), text, 500, DT_END_ELLIPSIS), text);
    EXPECT_EQ(Shortened(canvas.dc(), text, 1, DT_END_ELLIPSIS), "...");
}

TEST(EllipsisTest, WordEllipsisCutsAtAWord) {
    Canvas canvas(200, 20);
    const int width = WidthOf(canvas.dc(), "The quick b...");
    EXPECT_EQ(Shortened(canvas.dc(), "The quick brown fox", width, DT_WORD_ELLIPSIS),
              "The quick...");
}

TEST(EllipsisTest, PathEllipsisKeepsTheLastComponent) {
    Canvas canvas(200, 20);
    const std::string path = "C:\\Program Files\\Vexa\\Samples\\report.txt";
    const int width = WidthOf(canvas.dc(), "C:\\Prog...\\report.txt");
    const std::string result = Shortened(canvas.dc(), path, width, DT_PATH_ELLIPSIS);
    EXPECT_EQ(result, "C:\\Prog...\\report.txt");
    EXPECT_EQ(Shortened(canvas.dc(), "/usr/share/doc/readme", WidthOf(canvas.dc(), "/us.../readme"),
                        DT_PATH_ELLIPSIS),
              "/us.../readme");
}

TEST(EllipsisTest, WrappedTextEndsInAnEllipsisOnTheLastLineThatFits) {
    Canvas canvas(200, 40);
    const int h = LineHeight(canvas.dc());
    std::string text = "first line then a second line and a third";
    RECT r{0, 0, WidthOf(canvas.dc(), "first line then"), h + h / 2};
    DrawText(canvas.dc(), text, -1, &r, DT_WORDBREAK | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    ASSERT_GE(text.size(), 3u);
    EXPECT_EQ(text.substr(text.size() - 3), "...");
    EXPECT_EQ(text.rfind("first line", 0), 0u);
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_LE(WidthOf(canvas.dc(), text), r.right);
}

TEST(EllipsisTest, WithoutModifyStringTheTextStays) {
    Canvas canvas(200, 20);
    std::string text = "The quick brown fox";
    RECT r{0, 0, 30, 20};
    DrawText(canvas.dc(), text, -1, &r, DT_END_ELLIPSIS | DT_SINGLELINE);
    EXPECT_EQ(text, "The quick brown fox");
}

TEST(PrefixTest, AmpersandUnderlinesAndDoubleAmpersandDrawsOne) {
    Canvas canvas(10, 10);
    RECT r{};
    DrawText(canvas.dc(), "&File", -1, &r, DT_CALCRECT);
    EXPECT_EQ(r.right, WidthOf(canvas.dc(), "File"));
    RECT both{};
    DrawText(canvas.dc(), "A&&B", -1, &both, DT_CALCRECT);
    EXPECT_EQ(both.right, WidthOf(canvas.dc(), "A&B"));
    RECT raw{};
    DrawText(canvas.dc(), "A&&B", -1, &raw, DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(raw.right, WidthOf(canvas.dc(), "A&&B"));
}

TEST(PrefixTest, ThePrefixedCharacterIsUnderlined) {
    Canvas plain(60, 20), prefixed(60, 20);
    RECT r{0, 0, 60, 20};
    DrawText(plain.dc(), "xxx", -1, &r, DT_SINGLELINE);
    DrawText(prefixed.dc(), "&xxx", -1, &r, DT_SINGLELINE);
    const RECT a = plain.InkBounds(), b = prefixed.InkBounds();
    EXPECT_GT(b.bottom, a.bottom);  // the underline sits below the x-height glyphs
    EXPECT_EQ(a.left, b.left);
}

TEST(DrawTextTest, RightToLeftReadingOrdersNeutralCharactersFromTheRight) {
    Canvas rtl(60, 20), ltr(60, 20);
    RECT r{0, 0, 60, 20};
    DrawText(rtl.dc(), "A!", -1, &r, DT_SINGLELINE | DT_RTLREADING);
    DrawText(ltr.dc(), "!A", -1, &r, DT_SINGLELINE);
    EXPECT_EQ(rtl.Snapshot(), ltr.Snapshot());
    Canvas plain(60, 20);
    DrawText(plain.dc(), "A!", -1, &r, DT_SINGLELINE);
    EXPECT_NE(plain.Snapshot(), ltr.Snapshot());
}

TEST(TextOutTest, ExtentsPerCharacterAndTextOut) {
    Canvas canvas(100, 20);
    std::vector<int> extents;
    int fit = 0;
    SIZE size{};
    const int ab = WidthOf(canvas.dc(), "ab");
    ASSERT_TRUE(GetTextExtentExPoint(canvas.dc(), "abc\xC3\xA9", -1, ab, &fit, &extents, &size));
    ASSERT_EQ(extents.size(), 4u);  // the accented letter is one character
    EXPECT_EQ(extents[1], ab);
    EXPECT_EQ(fit, 2);
    EXPECT_EQ(size.cx, extents.back());
    EXPECT_TRUE(TextOut(canvas.dc(), 50, 2, "Hi", -1));
    EXPECT_GE(canvas.InkBounds().left, 50);
    EXPECT_EQ(canvas.At(50, 2), kWhite);  // opaque background in the white default colour
}

TEST(DrawTextTest, InvalidUtf8IsDrawnWithReplacementCharacters) {
    Canvas canvas(100, 20);
    RECT r{0, 0, 100, 20};
    const std::string broken = "ab\xFF\xC3";
    RECT measured{};
    EXPECT_EQ(DrawText(canvas.dc(), broken, -1, &measured, DT_CALCRECT | DT_SINGLELINE),
              LineHeight(canvas.dc()));
    EXPECT_GT(measured.right, WidthOf(canvas.dc(), "ab"));
    DrawText(canvas.dc(), broken, -1, &r, DT_SINGLELINE);
    EXPECT_GT(canvas.CountNot(r, kWhite), 0);
    // A length cutting a character in two does not break the text either.
    std::vector<int> extents;
    EXPECT_TRUE(GetTextExtentExPoint(canvas.dc(), "\xC3\xA9x", 1, 100, nullptr, &extents, nullptr));
    EXPECT_EQ(extents.size(), 1u);
}

TEST(DrawTextTest, EditControlHidesThePartlyVisibleLastLine) {
    Canvas plain(100, 60), edit(100, 60);
    const int h = LineHeight(plain.dc());
    RECT r{0, 0, 100, h + h / 2};
    DrawText(plain.dc(), "one\ntwo", -1, &r, 0);
    DrawText(edit.dc(), "one\ntwo", -1, &r, DT_EDITCONTROL);
    EXPECT_GT(plain.CountNot({0, h, 100, 60}, kWhite), 0);
    EXPECT_EQ(edit.CountNot({0, h, 100, 60}, kWhite), 0);
    EXPECT_GT(edit.CountNot({0, 0, 100, h}, kWhite), 0);
}

TEST(TabTest, ExpandTabsUsesEightAverageCharactersOrTheTabStopByte) {
    Canvas canvas(10, 10);
    TEXTMETRIC tm;
    GetTextMetrics(canvas.dc(), &tm);
    RECT r{};
    DrawText(canvas.dc(), "\tX", -1, &r, DT_CALCRECT | DT_EXPANDTABS);
    EXPECT_EQ(r.right, 8 * tm.tmAveCharWidth + WidthOf(canvas.dc(), "X"));
    // The tab-stop byte overlaps DT_CALCRECT, so the tab size is checked by drawing.
    Canvas wide(200, 20);
    RECT line{0, 0, 200, 20};
    DrawText(wide.dc(), "\tX", -1, &line, DT_EXPANDTABS | DT_TABSTOP | (4 << 8));
    EXPECT_NEAR(wide.InkBounds().left, 4 * tm.tmAveCharWidth, 2);
}

}  // namespace
}  // namespace vexa::sys::testing
