// Text drawing at its edges: empty texts, prefixes that survive or lose an ellipsis, the
// text written back by DT_MODIFYSTRING, and hidden prefixes.
#include "paint/PaintTestSupport.h"

namespace vexa::sys::testing {
namespace {

TEST(EmptyTextTest, MeasuresNoWidthAndNoHeightUnlessSingleLine) {
    Canvas canvas(40, 40);
    const int h = LineHeight(canvas.dc());
    RECT r{5, 6, 30, 35};
    EXPECT_EQ(DrawText(canvas.dc(), "", -1, &r, DT_CALCRECT), 0);
    EXPECT_EQ(r.left, 5);
    EXPECT_EQ(r.top, 6);
    EXPECT_EQ(r.right, 5);
    EXPECT_EQ(r.bottom, 6);
    RECT wrapped{5, 6, 30, 35};
    EXPECT_EQ(DrawText(canvas.dc(), "", -1, &wrapped, DT_CALCRECT | DT_WORDBREAK), 0);
    EXPECT_EQ(wrapped.right, 5);
    EXPECT_EQ(wrapped.bottom, 6);
    RECT single{5, 6, 30, 35};
    EXPECT_EQ(DrawText(canvas.dc(), "", -1, &single, DT_CALCRECT | DT_SINGLELINE), 0);
    EXPECT_EQ(single.right, 5);
    EXPECT_EQ(single.bottom, 6 + h);
    // A length of 0 and a text starting with NUL are empty too.
    RECT cut{5, 6, 30, 35};
    EXPECT_EQ(DrawText(canvas.dc(), "abc", 0, &cut, DT_CALCRECT), 0);
    EXPECT_EQ(cut.right, 5);
    RECT nul{5, 6, 30, 35};
    EXPECT_EQ(DrawText(canvas.dc(), std::string_view("\0abc", 4), -1, &nul, DT_CALCRECT), 0);
    EXPECT_EQ(nul.bottom, 6);
}

TEST(LineBreakTest, ABreakEndingTheTextAddsNoLine) {
    Canvas canvas(10, 10);
    const int h = LineHeight(canvas.dc());
    RECT r{};
    EXPECT_EQ(DrawText(canvas.dc(), "abc\r\n", -1, &r, DT_CALCRECT), h);
    EXPECT_EQ(r.right, WidthOf(canvas.dc(), "abc"));
    EXPECT_EQ(DrawText(canvas.dc(), "abc\n", -1, &r, DT_CALCRECT), h);
    EXPECT_EQ(DrawText(canvas.dc(), "abc\r\n\r\n", -1, &r, DT_CALCRECT), 2 * h);
    EXPECT_EQ(DrawText(canvas.dc(), "\n", -1, &r, DT_CALCRECT), h);
    EXPECT_EQ(DrawText(canvas.dc(), "\nabc", -1, &r, DT_CALCRECT), 2 * h);
    RECT wrapped{0, 0, 1000, 0};
    EXPECT_EQ(DrawText(canvas.dc(), "abc def\r\n", -1, &wrapped, DT_CALCRECT | DT_WORDBREAK), h);
}

TEST(EmptyTextTest, DrawsNothingEvenWithAnOpaqueBackground) {
    Canvas canvas(40, 20);
    SetBkMode(canvas.dc(), OPAQUE);
    SetBkColor(canvas.dc(), RGB(200, 0, 0));
    RECT r{0, 0, 40, 20};
    EXPECT_EQ(DrawText(canvas.dc(), "", -1, &r, DT_SINGLELINE | DT_VCENTER), 0);
    EXPECT_EQ(DrawText(canvas.dc(), "", -1, &r, DT_WORDBREAK | DT_END_ELLIPSIS), 0);
    EXPECT_EQ(canvas.CountNot(r, kWhite), 0);
    EXPECT_EQ(r.right, 40);  // not measuring: the rectangle stays
}

constexpr std::uint32_t kShorten = DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING;

TEST(ModifyStringTest, TheWrittenBackTextKeepsItsPrefixes) {
    Canvas canvas(200, 20);
    std::string text = "&Save && close the file";
    RECT r{0, 0, WidthOf(canvas.dc(), "Save & clo..."), 20};
    DrawText(canvas.dc(), text, -1, &r, kShorten);
    EXPECT_EQ(text, "&Save && clo...");
    // Drawn again, the written-back text shows what the original showed.
    Canvas original(200, 20), again(200, 20);
    RECT area = r;
    DrawText(original.dc(), "&Save && close the file", -1, &area, DT_SINGLELINE | DT_END_ELLIPSIS);
    DrawText(again.dc(), text, -1, &area, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_GT(original.CountNot(area, kWhite), 0);
    EXPECT_EQ(original.Snapshot(), again.Snapshot());
}

TEST(ModifyStringTest, WrappedLinesAreWrittenBackWithoutNewLineBreaks) {
    Canvas canvas(200, 60);
    const int h = LineHeight(canvas.dc());
    constexpr std::uint32_t kWrapped = DT_WORDBREAK | DT_END_ELLIPSIS | DT_MODIFYSTRING;
    std::string text = "one two three four five six seven";
    RECT r{0, 0, WidthOf(canvas.dc(), "three four"), 2 * h + h / 2};
    DrawText(canvas.dc(), text, -1, &r, kWrapped);
    EXPECT_EQ(text.rfind("one two three", 0), 0u) << text;
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.substr(text.size() - 3), "...");
    // A break that was in the text stays where it was.
    std::string broken = "one\r\ntwo three four five six seven";
    DrawText(canvas.dc(), broken, -1, &r, kWrapped);
    EXPECT_EQ(broken.rfind("one\r\ntwo t", 0), 0u) << broken;
    EXPECT_EQ(broken.find('\n', 5), std::string::npos) << broken;
    EXPECT_EQ(broken.substr(broken.size() - 3), "...");
}

TEST(ModifyStringTest, WithoutPrefixProcessingTheTextIsWrittenAsShown) {
    Canvas canvas(200, 20);
    std::string text = "a&&b&c defghijk";
    RECT r{0, 0, WidthOf(canvas.dc(), "a&&b&c d..."), 20};
    DrawText(canvas.dc(), text, -1, &r, kShorten | DT_NOPREFIX);
    EXPECT_EQ(text, "a&&b&c d...");
}

TEST(ModifyStringTest, MeasuringShortensTooAndATextThatFitsStays) {
    Canvas canvas(200, 20);
    std::string text = "&Report for the year";
    RECT r{0, 0, WidthOf(canvas.dc(), "Report f..."), 0};
    const int h = DrawText(canvas.dc(), text, -1, &r, kShorten | DT_CALCRECT);
    EXPECT_EQ(h, LineHeight(canvas.dc()));
    EXPECT_EQ(text, "&Report f...");
    EXPECT_EQ(r.right, WidthOf(canvas.dc(), "Report f..."));
    EXPECT_EQ(canvas.CountNot({0, 0, 200, 20}, kWhite), 0);
    std::string fits = "&Short";
    RECT wide{0, 0, 200, 0};
    DrawText(canvas.dc(), fits, -1, &wide, kShorten | DT_CALCRECT);
    EXPECT_EQ(fits, "&Short");
}

TEST(ModifyStringTest, PathEllipsisKeepsThePrefixOfTheLastComponent) {
    Canvas canvas(300, 20);
    std::string path = "C:\\Data\\Archive\\&Notes.txt";
    RECT r{0, 0, WidthOf(canvas.dc(), "C:\\Da...\\Notes.txt"), 20};
    DrawText(canvas.dc(), path, -1, &r, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_MODIFYSTRING);
    EXPECT_EQ(path, "C:\\Da...\\&Notes.txt");
}

TEST(PathEllipsisTest, ALongPathKeepsTheLongestHeadThatFits) {
    Canvas canvas(300, 20);
    std::string head = "D:";
    for (int i = 0; i < 400; ++i) head += "\\folder" + std::to_string(i);
    const std::string tail = "\\end.txt";
    std::string path = head + tail;
    const int width = 180;
    RECT r{0, 0, width, 20};
    DrawText(canvas.dc(), path, -1, &r,
             DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_MODIFYSTRING | DT_NOPREFIX);
    const std::size_t dots = path.find("...");
    ASSERT_NE(dots, std::string::npos) << path;
    EXPECT_EQ(path.substr(dots), "..." + tail);
    EXPECT_EQ(path.substr(0, dots), head.substr(0, dots));
    EXPECT_LE(WidthOf(canvas.dc(), path), width);
    EXPECT_GT(WidthOf(canvas.dc(), head.substr(0, dots + 1) + "..." + tail), width);
}

TEST(WordEllipsisTest, ALongTextIsCutAfterTheLastWholeWordThatFits) {
    Canvas canvas(300, 20);
    std::string words;
    for (int i = 0; i < 500; ++i)
        words += (i == 0 ? "" : "  ") + std::string("w") + std::to_string(i);
    std::string text = words;
    const int width = 150;
    RECT r{0, 0, width, 20};
    DrawText(canvas.dc(), text, -1, &r, DT_SINGLELINE | DT_WORD_ELLIPSIS | DT_MODIFYSTRING);
    ASSERT_GE(text.size(), 3u);
    const std::string head = text.substr(0, text.size() - 3);
    EXPECT_EQ(text.substr(text.size() - 3), "...");
    EXPECT_EQ(words.rfind(head, 0), 0u);
    EXPECT_EQ(words[head.size()], ' ');  // whole words only
    EXPECT_LE(WidthOf(canvas.dc(), text), width);
    const std::size_t next = words.find(' ', words.find_first_not_of(' ', head.size()));
    EXPECT_GT(WidthOf(canvas.dc(), words.substr(0, next) + "..."), width);
}

TEST(PrefixEllipsisTest, AnUnderlinedCharacterCutAwayLeavesNoUnderlineOnTheDots) {
    // The prefixed 'i' is cut off; the dots that take its place are not underlined.
    Canvas prefixed(120, 20), plain(120, 20);
    RECT r{0, 0, WidthOf(prefixed.dc(), "abcdefg..."), 20};
    DrawText(prefixed.dc(), "abcdefgh&ij", -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS);
    DrawText(plain.dc(), "abcdefghij", -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_GT(plain.CountNot(r, kWhite), 0);
    EXPECT_EQ(prefixed.Snapshot(), plain.Snapshot());
}

TEST(PrefixEllipsisTest, AnUnderlinedCharacterThatStaysKeepsItsUnderline) {
    Canvas prefixed(120, 20), plain(120, 20);
    // No descenders, so that the underline reaches below everything else.
    RECT r{0, 0, WidthOf(prefixed.dc(), "abcdefh..."), 20};
    DrawText(prefixed.dc(), "a&bcdefhiklm", -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS);
    DrawText(plain.dc(), "abcdefhiklm", -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_GT(prefixed.InkBounds().bottom, plain.InkBounds().bottom);
}

TEST(HidePrefixTest, PrefixesAreRemovedButNotUnderlined) {
    Canvas hidden(80, 20), plain(80, 20);
    RECT r{0, 0, 80, 20};
    DrawText(hidden.dc(), "&xx&&x", -1, &r, DT_SINGLELINE | DT_HIDEPREFIX);
    DrawText(plain.dc(), "xx&x", -1, &r, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_GT(plain.CountNot(r, kWhite), 0);
    EXPECT_EQ(hidden.Snapshot(), plain.Snapshot());
    RECT measured{};
    DrawText(hidden.dc(), "&xx&&x", -1, &measured, DT_CALCRECT | DT_HIDEPREFIX);
    EXPECT_EQ(measured.right, WidthOf(hidden.dc(), "xx&x"));
}

}  // namespace
}  // namespace vexa::sys::testing
