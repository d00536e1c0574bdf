// Text drawing and measuring with the text-format bits, checked through pixels and
// DT_CALCRECT results.
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
    LOGFONT cell;
    cell.lfHeight = 20;
    HFONT byCell = CreateFontIndirect(&cell);
    SelectObject(canvas.dc(), byCell);
    EXPECT_NEAR(LineHeight(canvas.dc()), 20, 1);
    SelectObject(canvas.dc(), old);
    DeleteObject(big);
    DeleteObject(byCell);
}

// Draws the text into the rectangle on a cleared canvas and returns where the ink went.
RECT InkOf(Canvas& canvas, const std::string& text, RECT r, std::uint32_t format) {
    canvas.Clear(kWhite);
    DrawText(canvas.dc(), text, -1, &r, format);
    return canvas.InkBounds();
}

TEST(DrawTextTest, HorizontalAlignmentPlacesTheInk) {
    Canvas canvas(200, 30);
    const RECT r{0, 0, 200, 30};
    const RECT left = InkOf(canvas, "Grid", r, DT_LEFT | DT_SINGLELINE);
    const RECT right = InkOf(canvas, "Grid", r, DT_RIGHT | DT_SINGLELINE);
    const RECT centre = InkOf(canvas, "Grid", r, DT_CENTER | DT_SINGLELINE);
    EXPECT_LE(left.left, 2);
    EXPECT_GE(right.right, 197);
    EXPECT_LE(right.right, 200);
    EXPECT_NEAR((centre.left + centre.right) / 2.0, 100.0, 2.0);
    EXPECT_NEAR(right.left - left.left, 200 - WidthOf(canvas.dc(), "Grid"), 1);
}

TEST(DrawTextTest, VerticalCentringAndBottomOfSingleLines) {
    Canvas canvas(100, 60);
    RECT r{0, 0, 100, 60};
    const int h = LineHeight(canvas.dc());
    EXPECT_EQ(DrawText(canvas.dc(), "Hy", -1, &r, DT_SINGLELINE), h);
    const int top = canvas.InkBounds().top;
    EXPECT_EQ(InkOf(canvas, "Hy", r, DT_SINGLELINE | DT_VCENTER).top - top, (60 - h) / 2);
    EXPECT_EQ(DrawText(canvas.dc(), "Hy", -1, &r, DT_SINGLELINE | DT_VCENTER), (60 - h) / 2 + h);
    EXPECT_EQ(InkOf(canvas, "Hy", r, DT_SINGLELINE | DT_BOTTOM).top - top, 60 - h);
    // Without DT_SINGLELINE vertical centring does not apply.
    EXPECT_EQ(InkOf(canvas, "Hy", r, DT_VCENTER).top, top);
}

TEST(DrawTextTest, TextIsClippedToTheRectangleUnlessNoClip) {
    Canvas canvas(100, 30);
    const RECT r{0, 0, 10, 30};
    EXPECT_LE(InkOf(canvas, "Wide text here", r, DT_SINGLELINE).right, 10);
    EXPECT_GT(InkOf(canvas, "Wide text here", r, DT_SINGLELINE | DT_NOCLIP).right, 30);
}

TEST(DrawTextTest, OpaqueModeFillsTheTextBackgroundAndColoursApply) {
    Canvas canvas(100, 30);
    SetBkColor(canvas.dc(), RGB(0, 200, 0));
    SetTextColor(canvas.dc(), RGB(200, 0, 0));
    RECT r{10, 5, 100, 30};
    DrawText(canvas.dc(), "Text", -1, &r, DT_SINGLELINE);
    canvas.Expect({{10, 5, RGB(0, 200, 0)}, {9, 5, kWhite}}, "opaque");
    SetBkMode(canvas.dc(), TRANSPARENT);
    InkOf(canvas, "Text", r, DT_SINGLELINE);
    EXPECT_EQ(canvas.At(10, 5), kWhite);
    EXPECT_LT(canvas.CountNot({10, 5, 40, 25}, RGB(200, 0, 0)), 30 * 20);
}

// Measuring: how many lines a text takes and how wide its widest line is.
TEST(CalcRectTest, MeasuresLinesAndWidthWithoutDrawing) {
    Canvas canvas(50, 50);
    const int h = LineHeight(canvas.dc());
    const auto width = [&](const char* text) { return WidthOf(canvas.dc(), text); };
    const int pair = std::max(width("alpha beta"), width("gamma delta"));
    ASSERT_LT(pair + 2, width("alpha beta gamma"));
    const int letter = std::max({width("a"), width("b"), width("c"), width("d")});
    const struct {
        const char* text;
        std::uint32_t format;
        int room;   // the rectangle's width before measuring
        int lines;  // the height, in lines
        int wide;   // the measured width
    } cases[] = {
        {"one\r\ntwo lines\nthree", 0, 0, 3, width("two lines")},
        {"a\r\nb", DT_SINGLELINE, 0, 1, -1},
        // A break ending the text adds no line.
        {"abc\r\n", 0, 0, 1, width("abc")},
        {"abc\n", 0, 0, 1, width("abc")},
        {"abc\r\n\r\n", 0, 0, 2, -1},
        {"\n", 0, 0, 1, -1},
        {"\nabc", 0, 0, 2, -1},
        {"abc def\r\n", DT_WORDBREAK, 1000, 1, -1},
        // Word breaks: room for either pair, not for three words; one word a line; a
        // rectangle wider than the text shrinks to it.
        {"alpha beta gamma delta", DT_WORDBREAK, pair + 2, 2, pair},
        {"a b c d", DT_WORDBREAK, 1, 4, letter},
        {"a b c d", DT_WORDBREAK, 1000, 1, width("a b c d")},
        // A long word breaks only like an edit control.
        {"abcdefghijklmnopqrstuvwxyz", DT_WORDBREAK, width("abcdefgh"), 1,
         width("abcdefghijklmnopqrstuvwxyz")},
    };
    for (const auto& c : cases) {
        RECT r{3, 4, 3 + c.room, 4};
        EXPECT_EQ(DrawText(canvas.dc(), c.text, -1, &r, DT_CALCRECT | c.format), c.lines * h)
            << c.text;
        EXPECT_EQ(r.bottom, 4 + c.lines * h) << c.text;
        EXPECT_EQ(r.left, 3) << c.text;
        if (c.wide >= 0) {
            EXPECT_EQ(r.right - r.left, c.wide) << c.text;
        }
    }
    EXPECT_EQ(canvas.CountNot({0, 0, 50, 50}, kWhite), 0);
    RECT edit{0, 0, width("abcdefgh"), 0};
    EXPECT_GE(DrawText(canvas.dc(), "abcdefghijklmnopqrstuvwxyz", -1, &edit,
                       DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL),
              3 * h);
}

TEST(CalcRectTest, PrefixesAreMeasuredAsTheyShow) {
    Canvas canvas(10, 10);
    const struct {
        const char* text;
        std::uint32_t format;
        const char* shown;
    } cases[] = {{"&File", 0, "File"},
                 {"A&&B", 0, "A&B"},
                 {"A&&B", DT_NOPREFIX, "A&&B"},
                 {"&xx&&x", DT_HIDEPREFIX, "xx&x"}};
    for (const auto& c : cases) {
        RECT r{};
        DrawText(canvas.dc(), c.text, -1, &r, DT_CALCRECT | c.format);
        EXPECT_EQ(r.right, WidthOf(canvas.dc(), c.shown)) << c.text << " " << c.format;
    }
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
    Canvas canvas(200, 20);
    TEXTMETRIC tm;
    GetTextMetrics(canvas.dc(), &tm);
    RECT r{};
    DrawText(canvas.dc(), "\tX", -1, &r, DT_CALCRECT | DT_EXPANDTABS);
    EXPECT_EQ(r.right, 8 * tm.tmAveCharWidth + WidthOf(canvas.dc(), "X"));
    // The tab-stop byte overlaps DT_CALCRECT, so the tab size is checked by drawing.
    EXPECT_NEAR(InkOf(canvas, "\tX", {0, 0, 200, 20}, DT_EXPANDTABS | DT_TABSTOP | (4 << 8)).left,
                4 * tm.tmAveCharWidth, 2);
}

}  // namespace
}  // namespace vexa::sys::testing
