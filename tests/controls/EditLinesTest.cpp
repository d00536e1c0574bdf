// The text model's lines: wrapping rules with a measure of fixed widths, lines updated after
// edits equal to lines built afresh, and an edit re-measuring only the lines around it.
#include <gtest/gtest.h>

#include <random>

#include "vexa/system/controls/EditText.h"
#include "vexa/system/controls/EditUnicode.h"

namespace vexa::sys::testing {
namespace {

// 10 pixels a character, 20 an ideograph, 0 a combining mark; counts what it measured.
class FixedMeasure : public EditMeasure {
  public:
    int Width(std::u32string_view run) const override {
        measured += run.size();
        int width = 0;
        for (char32_t c : run) width += c == U'\u0301' ? 0 : c >= 0x4E00 ? 20 : 10;
        return width;
    }
    mutable std::size_t measured = 0;
};

std::u32string U32(const char* utf8) {
    return edit_text::DecodeUtf8(utf8);
}

std::vector<std::u32string> Shown(const EditText& text) {
    std::vector<std::u32string> lines;
    for (const EditLine& l : text.Lines().All())
        lines.emplace_back(text.Range(l.start, l.start + l.length + l.breakLength));
    return lines;
}

struct WrapCase {
    const char* text;
    std::vector<const char*> lines;  // each with its line break
};

TEST(EditLinesTest, WrapsAtWordsAndSplitsOnlyWordsWiderThanTheLine) {
    const WrapCase cases[] = {
        {"aaa bbb ccc", {"aaa ", "bbb ", "ccc"}},
        {"abcdefghijkl", {"abcde", "fghij", "kl"}},
        {"ab\r\ncd", {"ab\r\n", "cd"}},
        {"ab     cd", {"ab     ", "cd"}},  // spaces hang past the edge
        {"中中中中中", {"中中", "中中", "中"}},
        {"e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301",
         {"e\u0301e\u0301e\u0301e\u0301e\u0301", "e\u0301"}},
        {"", {""}},
        {"a\n\r\nb\r", {"a\n", "\r\n", "b\r", ""}},
        {"x abcdefgh", {"x ", "abcde", "fgh"}},
    };
    FixedMeasure measure;
    for (const WrapCase& c : cases) {
        EditText text;
        text.SetText(U32(c.text));
        text.ConfigureLines(true, &measure, 50);
        std::vector<std::u32string> expected;
        for (const char* line : c.lines) expected.push_back(U32(line));
        EXPECT_EQ(Shown(text), expected) << c.text;
    }
}

TEST(EditLinesTest, LinesAfterEditsEqualLinesBuiltAfresh) {
    const std::u32string pieces[] = {U"a",
                                     U"bb",
                                     U" ",
                                     U"  ",
                                     U"\r",
                                     U"\n",
                                     U"\r\n",
                                     U"中",
                                     U"e\u0301",
                                     U"wordy",
                                     U"longerthanaline"};
    FixedMeasure measure;
    std::mt19937 random(20240611);
    for (const auto& [multiLine, width] : {std::pair{true, 60}, {true, 0}, {false, 0}}) {
        EditText text;
        text.ConfigureLines(multiLine, &measure, width);
        for (int edit = 0; edit < 400; ++edit) {
            const int from = int(random() % std::uint32_t(text.Length() + 1));
            const int to = from + int(random() % 4);
            std::u32string insertion;
            for (std::uint32_t n = random() % 4; n > 0; --n)
                insertion += pieces[random() % std::size(pieces)];
            text.ReplaceRange(from, to, insertion, EditKind::Other, false);
            EditText fresh;
            fresh.SetText(text.Text());
            fresh.ConfigureLines(multiLine, &measure, width);
            ASSERT_EQ(text.Lines().All(), fresh.Lines().All())
                << "edit " << edit << " at " << from << " width " << width;
        }
    }
}

TEST(EditLinesTest, AnEditInALongParagraphMeasuresOnlyTheLinesAroundIt) {
    std::u32string paragraph;
    for (int i = 0; i < 2000; ++i) paragraph += U"word ";  // 10,000 characters
    FixedMeasure measure;
    EditText text;
    text.SetText(paragraph);
    text.ConfigureLines(true, &measure, 400);
    ASSERT_EQ(text.Lines().Count(), 250);
    for (int position : {0, 5000, 9999}) {
        measure.measured = 0;
        text.ReplaceRange(position, position, U"x", EditKind::Typing);
        EXPECT_LT(measure.measured, 2000u) << position;
    }
}

}  // namespace
}  // namespace vexa::sys::testing
