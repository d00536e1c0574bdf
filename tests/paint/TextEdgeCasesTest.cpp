// Shortened texts and text drawing at its edges: ellipses of each kind, prefixes that survive
// or lose an ellipsis, the text written back by DT_MODIFYSTRING, empty texts and hidden
// prefixes.
#include "paint/PaintTestSupport.h"

namespace vexa::sys::testing {
namespace {

constexpr std::uint32_t kShorten = DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING;

TEST(EllipsisTest, TheWrittenBackTextIsCutToFit) {
    Canvas canvas(300, 20);
    const struct {
        const char* name;
        std::string text;
        std::string fitTo;  // the rectangle is as wide as this text; empty: `width`
        int width;
        std::uint32_t format;
        std::string expected;
    } cases[] = {
        {"end", "The quick brown fox", "The quick b...", 0, kShorten | DT_NOPREFIX,
         "The quick b..."},
        {"end, fits", "The quick brown fox", "", 500, kShorten | DT_NOPREFIX,
         "The quick brown fox"},
        {"end, no room", "The quick brown fox", "", 1, kShorten | DT_NOPREFIX, "..."},
        {"not written back", "The quick brown fox", "", 30, DT_SINGLELINE | DT_END_ELLIPSIS,
         "The quick brown fox"},
        {"word", "The quick brown fox", "The quick b...", 0,
         DT_SINGLELINE | DT_WORD_ELLIPSIS | DT_MODIFYSTRING | DT_NOPREFIX, "The quick..."},
        {"path keeps the last component", "C:\\Program Files\\Vexa\\Samples\\report.txt",
         "C:\\Prog...\\report.txt", 0,
         DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_MODIFYSTRING | DT_NOPREFIX,
         "C:\\Prog...\\report.txt"},
        {"path with slashes", "/usr/share/doc/readme", "/us.../readme", 0,
         DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_MODIFYSTRING | DT_NOPREFIX, "/us.../readme"},
        {"prefixes kept", "&Save && close the file", "Save & clo...", 0, kShorten,
         "&Save && clo..."},
        {"no prefix processing", "a&&b&c defghijk", "a&&b&c d...", 0, kShorten | DT_NOPREFIX,
         "a&&b&c d..."},
        {"path keeps the prefix of the last component", "C:\\Data\\Archive\\&Notes.txt",
         "C:\\Da...\\Notes.txt", 0, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_MODIFYSTRING,
         "C:\\Da...\\&Notes.txt"},
        {"measuring, fits", "&Short", "", 200, kShorten | DT_CALCRECT, "&Short"},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        RECT r{0, 0, c.fitTo.empty() ? c.width : WidthOf(canvas.dc(), c.fitTo), 20};
        DrawText(canvas.dc(), text, -1, &r, c.format);
        EXPECT_EQ(text, c.expected) << c.name;
    }
}

TEST(EllipsisTest, MeasuringShortensTooWithoutDrawing) {
    Canvas canvas(200, 20);
    std::string text = "&Report for the year";
    RECT r{0, 0, WidthOf(canvas.dc(), "Report f..."), 0};
    EXPECT_EQ(DrawText(canvas.dc(), text, -1, &r, kShorten | DT_CALCRECT), LineHeight(canvas.dc()));
    EXPECT_EQ(text, "&Report f...");
    EXPECT_EQ(r.right, WidthOf(canvas.dc(), "Report f..."));
    EXPECT_EQ(canvas.CountNot({0, 0, 200, 20}, kWhite), 0);
}

TEST(EllipsisTest, WrappedTextEndsInAnEllipsisOnTheLastLineThatFits) {
    Canvas canvas(200, 60);
    const int h = LineHeight(canvas.dc());
    constexpr std::uint32_t kWrapped = DT_WORDBREAK | DT_END_ELLIPSIS | DT_MODIFYSTRING;
    const struct {
        std::string text;
        std::string fitTo;
        int lines;
        std::string head;  // what the written-back text starts with
        std::size_t noBreakFrom;
    } cases[] = {
        {"first line then a second line and a third", "first line then", 1, "first line", 0},
        {"one two three four five six seven", "three four", 2, "one two three", 0},
        // A break that was in the text stays where it was.
        {"one\r\ntwo three four five six seven", "three four", 2, "one\r\ntwo t", 5},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        RECT r{0, 0, WidthOf(canvas.dc(), c.fitTo), c.lines * h + h / 2};
        DrawText(canvas.dc(), text, -1, &r, kWrapped);
        ASSERT_GE(text.size(), 3u) << c.text;
        EXPECT_EQ(text.substr(text.size() - 3), "...") << text;
        EXPECT_EQ(text.rfind(c.head, 0), 0u) << text;
        EXPECT_EQ(text.find_first_of("\r\n", c.noBreakFrom), std::string::npos) << text;
        if (c.lines == 1) {
            EXPECT_LE(WidthOf(canvas.dc(), text), r.right) << text;
        }
    }
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

// Pairs of texts that must put the same pixels on the screen.
TEST(DrawnAlikeTest, TextsThatShowTheSameDrawTheSame) {
    const struct {
        const char* name;
        const char* text;
        std::uint32_t format;
        const char* alike;
        std::uint32_t alikeFormat;
        const char* fitTo;  // the rectangle's width; null: the whole canvas
    } cases[] = {
        // Right-to-left reading orders neutral characters from the right.
        {"right to left", "A!", DT_RTLREADING, "!A", 0, nullptr},
        // The prefixed 'i' is cut off; the dots that take its place are not underlined.
        {"underline cut away", "abcdefgh&ij", DT_END_ELLIPSIS, "abcdefghij", DT_END_ELLIPSIS,
         "abcdefg..."},
        {"hidden prefixes", "&xx&&x", DT_HIDEPREFIX, "xx&x", DT_NOPREFIX, nullptr},
        // The text DT_MODIFYSTRING wrote back shows what the original showed.
        {"written back", "&Save && close the file", DT_END_ELLIPSIS, "&Save && clo...",
         DT_END_ELLIPSIS, "Save & clo..."},
    };
    for (const auto& c : cases) {
        Canvas drawn(120, 20), alike(120, 20);
        RECT r{0, 0, c.fitTo ? WidthOf(drawn.dc(), c.fitTo) : 120, 20};
        DrawText(drawn.dc(), c.text, -1, &r, DT_SINGLELINE | c.format);
        DrawText(alike.dc(), c.alike, -1, &r, DT_SINGLELINE | c.alikeFormat);
        EXPECT_GT(alike.CountNot(r, kWhite), 0) << c.name;
        EXPECT_EQ(drawn.Snapshot(), alike.Snapshot()) << c.name;
    }
    Canvas plain(120, 20), reversed(120, 20);
    RECT r{0, 0, 120, 20};
    DrawText(plain.dc(), "A!", -1, &r, DT_SINGLELINE);
    DrawText(reversed.dc(), "!A", -1, &r, DT_SINGLELINE);
    EXPECT_NE(plain.Snapshot(), reversed.Snapshot());
}

TEST(PrefixEllipsisTest, AnUnderlinedCharacterThatStaysKeepsItsUnderline) {
    Canvas prefixed(120, 20), plain(120, 20);
    // No descenders, so that the underline reaches below everything else.
    RECT r{0, 0, WidthOf(prefixed.dc(), "abcdefh..."), 20};
    DrawText(prefixed.dc(), "a&bcdefhiklm", -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS);
    DrawText(plain.dc(), "abcdefhiklm", -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_GT(prefixed.InkBounds().bottom, plain.InkBounds().bottom);
}

TEST(EmptyTextTest, MeasuresNoWidthAndNoHeightUnlessSingleLine) {
    Canvas canvas(40, 40);
    const int h = LineHeight(canvas.dc());
    const struct {
        const char* name;
        std::string_view text;
        int length;
        std::uint32_t format;
        int height;  // of the measured rectangle; the call itself reports none
    } cases[] = {
        {"plain", "", -1, 0, 0},
        {"wrapped", "", -1, DT_WORDBREAK, 0},
        {"single line", "", -1, DT_SINGLELINE, h},
        {"length 0", "abc", 0, 0, 0},
        {"leading NUL", std::string_view("\0abc", 4), -1, 0, 0},
    };
    for (const auto& c : cases) {
        RECT r{5, 6, 30, 35};
        EXPECT_EQ(DrawText(canvas.dc(), c.text, c.length, &r, DT_CALCRECT | c.format), 0) << c.name;
        EXPECT_EQ(r, (RECT{5, 6, 5, 6 + c.height})) << c.name;
    }
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

}  // namespace
}  // namespace vexa::sys::testing
