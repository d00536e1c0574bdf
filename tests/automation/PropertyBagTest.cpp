#include <gtest/gtest.h>

#include <cairo.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "automation/AutomationTestSupport.h"
#include "vexa/system/automation/Font.h"
#include "vexa/system/automation/MemoryPropertyBag.h"
#include "vexa/system/automation/Picture.h"
#include "vexa/system/automation/PropertyLiteral.h"
#include "vexa/system/automation/TextPropertyBag.h"

using namespace vexa;
using vexa::testing::ErrorOf;

namespace {

std::shared_ptr<Picture> CheckerPicture() {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 4, 2);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 0, 1, 0);
    cairo_rectangle(cr, 0, 0, 2, 2);
    cairo_fill(cr);
    cairo_destroy(cr);
    auto picture = Picture::FromSurface(surface);
    cairo_surface_destroy(surface);
    return picture;
}

std::shared_ptr<Font> BoldSerif() {
    auto font = Font::Create();
    font->SetName("DejaVu \"Serif\"");
    font->SetSize(9.75);
    font->SetBold(true);
    font->SetUnderline(true);
    font->SetCharset(2);
    return font;
}

struct NamedValue {
    std::string name;
    Variant value;
};

// One value of every storable type, with awkward cases of each.
std::vector<NamedValue> EveryType() {
    return {
        {"Null", Variant::Null()},
        {"Int", Variant(std::int16_t{-32768})},
        {"Long", Variant(std::int32_t{2147483647})},
        {"Single", Variant(0.1f)},
        {"Double", Variant(1.0 / 3.0)},
        {"Huge", Variant(1e300)},
        {"Infinite", Variant(-std::numeric_limits<double>::infinity())},
        {"Money", Variant::Currency(-922337203685477LL * 10000 - 5807)},
        {"Day", Variant::Date(37623.9375)},
        {"Instant", Variant::Date(37623.123456789)},
        {"Old", Variant::Date(-657434.0)},
        {"Far", Variant::Date(1e10)},  // dates outside the calendar too
        {"Endless", Variant::Date(-std::numeric_limits<double>::infinity())},
        {"Text", Variant("a \"quoted\" text, = signs and ' marks")},
        {"Lines", Variant(std::string("one\r\ntwo\ttab\x7f", 13))},
        {"Zero", Variant(std::string("a\0b", 3))},
        {"Unicode", Variant("Grüße → 日本 😀")},
        {"Bytes", Variant(std::string("\xff\xfe ok \xc3", 7))},
        {"Blank", Variant("")},
        {"Flag", Variant(true)},
        {"Off", Variant(false)},
        {"Small", Variant(std::uint8_t{200})},
        {"Dec", Variant::Decimal("-79228162514264337593543950.335")},
        {"Err", Variant::ErrorValue(2042)},
        {"Nobody", Variant::Nothing()},
        {"List",
         Variant(std::vector<Variant>{Variant(1), Variant("x"), Variant(std::vector<Variant>{})})},
    };
}

void ExpectSameValue(const Variant& actual, const Variant& expected, const std::string& name) {
    ASSERT_EQ(actual.Type(), expected.Type()) << name;
    if (expected.Type() == vtObject) return;  // checked by the callers
    EXPECT_TRUE(actual == expected) << name << ": " << FormatPropertyLiteral(actual);
}

std::filesystem::path TempDir() {
    const auto dir =
        std::filesystem::temp_directory_path() / ("vexa-bag-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir;
}

}  // namespace

TEST(PropertyDefaults, NarrowDefaultsMatchWiderValuesButNotOtherKinds) {
    EXPECT_TRUE(IsDefaultValue(Variant(-1), Variant(std::int16_t{-1})));
    EXPECT_TRUE(IsDefaultValue(Variant(15), Variant(std::int16_t{15})));
    EXPECT_FALSE(IsDefaultValue(Variant(0), Variant(false)));
    EXPECT_FALSE(IsDefaultValue(Variant(), Variant(0)));
    EXPECT_FALSE(IsDefaultValue(Variant("1"), Variant(1)));
    EXPECT_TRUE(IsDefaultValue(Variant::Nothing(), Variant::Nothing()));
    EXPECT_FALSE(IsDefaultValue(Variant(Font::Create()), Variant::Nothing()));
}

TEST(MemoryPropertyBagTest, ReadsBackWhatWasWrittenOrTheDefault) {
    MemoryPropertyBag bag;
    bag.WriteProperty("Rows", Variant(3), Variant(std::int16_t{0}));
    bag.WriteProperty("BackColorOddRows", Variant(-1), Variant(std::int16_t{-1}));
    EXPECT_EQ(bag.ReadProperty("rows", Variant(0)), Variant(3));
    EXPECT_EQ(bag.ReadProperty("BackColorOddRows", Variant(std::int16_t{-1})),
              Variant(std::int16_t{-1}));
    EXPECT_EQ(bag.Count(), 1u);
    // Writing the default later drops the stale value instead of keeping it.
    bag.WriteProperty("ROWS", Variant(0), Variant(std::int16_t{0}));
    EXPECT_EQ(bag.ReadProperty("Rows", Variant(std::int16_t{0})), Variant(std::int16_t{0}));
    EXPECT_EQ(bag.Count(), 0u);
    EXPECT_EQ(ErrorOf([&] { bag.ReadProperty("", Variant()); }), 5);
}

TEST(MemoryPropertyBagTest, KeepsEveryTypeAndObjectsByReference) {
    MemoryPropertyBag bag;
    for (const auto& [name, value] : EveryType()) bag.WriteProperty(name, value, Variant());
    for (const auto& [name, value] : EveryType()) {
        ExpectSameValue(bag.ReadProperty(name, Variant()), value, name);
    }
    auto font = Font::Create();
    bag.WriteProperty("Font", Variant(font), Variant::Nothing());
    EXPECT_EQ(bag.ReadProperty("Font", Variant::Nothing()).ToObject(), font);
    EXPECT_EQ(bag.Entries().front().first, "Null");  // first-written order
}

TEST(TextPropertyBagTest, WritesReadableLines) {
    TextPropertyBag bag;
    bag.WriteProperty("Rows", Variant(3), Variant());
    bag.WriteProperty("Caption", Variant("a \"quoted\" text"), Variant());
    bag.WriteProperty("Font", Variant(BoldSerif()), Variant::Nothing());
    bag.WriteProperty("Started", Variant::Date(37623.9375), Variant());
    bag.WriteProperty("Price", Variant::Currency(12345), Variant());
    EXPECT_EQ(bag.ToString(),
              "Rows = 3&\n"
              "Caption = \"a \"\"quoted\"\" text\"\n"
              "Font = Font{Name=\"DejaVu \"\"Serif\"\"\",Size=9.75,Bold=True,Italic=False,"
              "Underline=True,Strikethrough=False,Weight=700,Charset=2}\n"
              "Started = #2003-01-02 22:30:00#\n"
              "Price = 1.2345@\n");
}

TEST(TextPropertyBagTest, EveryTypeRoundTripsThroughText) {
    TextPropertyBag bag;
    for (const auto& [name, value] : EveryType()) bag.WriteProperty(name, value, Variant());
    TextPropertyBag reread;
    reread.FromString(bag.ToString());
    EXPECT_EQ(reread.SkippedLines(), 0u);
    EXPECT_EQ(reread.Count(), EveryType().size());
    for (const auto& [name, value] : EveryType()) {
        ExpectSameValue(reread.ReadProperty(name, Variant("absent")), value, name);
    }
    bag.WriteProperty("NaN", Variant(std::nan("")), Variant());
    bag.WriteProperty("Lost", Variant::Date(std::nan("")), Variant());
    reread.FromString(bag.ToString());
    EXPECT_TRUE(std::isnan(reread.ReadProperty("NaN", Variant()).ToDouble()));
    const Variant lost = reread.ReadProperty("Lost", Variant());
    EXPECT_EQ(lost.Type(), vtDate);
    EXPECT_TRUE(std::isnan(lost.ToDouble()));
    EXPECT_EQ(reread.ReadProperty("Empty", Variant()).Type(), vtEmpty);
}

TEST(TextPropertyBagTest, FontsAndPicturesRoundTripThroughAFile) {
    const auto dir = TempDir();
    const std::string path = (dir / "props.txt").string();
    auto font = BoldSerif();
    TextPropertyBag bag;
    bag.WriteProperty("Font", Variant(font), Variant::Nothing());
    bag.WriteProperty("BackgroundPicture", Variant(CheckerPicture()), Variant::Nothing());
    font->SetItalic(true);  // after writing: the bag keeps what was written
    bag.Save(path);

    TextPropertyBag loaded;
    loaded.Load(path);
    const auto readFont =
        std::dynamic_pointer_cast<Font>(loaded.ReadProperty("Font", Variant()).ToObject());
    ASSERT_NE(readFont, nullptr);
    EXPECT_TRUE(readFont->IsEqual(*BoldSerif()));
    const auto again =
        std::dynamic_pointer_cast<Font>(loaded.ReadProperty("Font", Variant()).ToObject());
    EXPECT_NE(again, readFont);  // each read is a fresh object
    const auto picture = std::dynamic_pointer_cast<Picture>(
        loaded.ReadProperty("BackgroundPicture", Variant()).ToObject());
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Width(), 4);
    EXPECT_EQ(picture->Height(), 2);
    std::filesystem::remove_all(dir);
}

TEST(TextPropertyBagTest, RefusesWhatTheFileCannotHold) {
    TextPropertyBag bag;
    for (const char* name : {"A=B", " Pad", "Two\nLines", "'Remark"})
        EXPECT_EQ(ErrorOf([&] { bag.WriteProperty(name, Variant(1), Variant()); }), 5) << name;
    EXPECT_EQ(
        ErrorOf([&] { bag.WriteProperty("Tag", Variant(std::make_shared<Object>()), Variant()); }),
        13);
    EXPECT_EQ(bag.Count(), 0u);
}

TEST(TextPropertyBagTest, HandWrittenLiteralsTakeTheClassicTypes) {
    TextPropertyBag bag;
    bag.FromString(
        "' a comment\n"
        "\n"
        "Small = 3\r\n"
        "Big = 100000\n"
        "Real = 2.5\n"
        "Named = Chr(65) & \"b\" & Chr(8364)\n"
        "When = #Jan 2, 2003#\n"
        "Face = Font{size=12, bold=true, Future=1}\n"
        "Wide = 12345678901\r"
        "MacStyle = -1\r");
    EXPECT_EQ(bag.SkippedLines(), 0u);
    EXPECT_EQ(bag.ReadProperty("Small", Variant()), Variant(std::int16_t{3}));
    EXPECT_EQ(bag.ReadProperty("Big", Variant()), Variant(100000));
    EXPECT_EQ(bag.ReadProperty("Real", Variant()), Variant(2.5));
    EXPECT_EQ(bag.ReadProperty("Wide", Variant()), Variant(12345678901.0));
    EXPECT_EQ(bag.ReadProperty("MacStyle", Variant()), Variant(std::int16_t{-1}));
    EXPECT_EQ(bag.ReadProperty("Named", Variant()), Variant("Ab€"));
    EXPECT_EQ(bag.ReadProperty("When", Variant()), Variant::Date(37623));
    const auto face = std::dynamic_pointer_cast<Font>(bag.ReadProperty("Face", {}).ToObject());
    ASSERT_NE(face, nullptr);
    EXPECT_DOUBLE_EQ(face->Size(), 12);
    EXPECT_TRUE(face->Bold());
    EXPECT_EQ(face->Name(), Font().Name());
}

TEST(TextPropertyBagMalformed, BadLinesAreSkippedAndGoodOnesKept) {
    const std::vector<std::string> badLines = {
        "NoEquals",
        "= 3&",
        "Open = \"unterminated",
        "Junk = 3& 4&",
        "Kind = Widget{1}",
        "Over = 40000%",
        "Frac = 1.5%",
        "Money = 1.23456@",
        "Date = #13/45/2003#",
        "Pic = Picture{not base64!}",
        "Pic2 = Picture{AAAA}",
        "Font = Font{Size=-4}",
        "Deep = " + std::string(200, '('),
        "Nest = " +
            [] {
                std::string s;
                for (int i = 0; i < 100; ++i) s += "Array(";
                return s + std::string(100, ')');
            }(),
        "Bin = \"\xff\xfe\"",
        std::string("Nul\0 = 1&", 9),
        "Chr = Chr(55296)",
    };
    std::string text = "First = 1&\n";
    for (const auto& line : badLines) text += line + "\n";
    text += "Last = \"kept\"";  // no final newline
    TextPropertyBag bag;
    bag.FromString(text);
    EXPECT_EQ(bag.SkippedLines(), badLines.size());
    EXPECT_EQ(bag.Count(), 2u);
    EXPECT_EQ(bag.ReadProperty("First", Variant()), Variant(1));
    EXPECT_EQ(bag.ReadProperty("Last", Variant()), Variant("kept"));
    EXPECT_EQ(bag.ReadProperty("Over", Variant(std::int16_t{7})), Variant(std::int16_t{7}));
}

TEST(TextPropertyBagMalformed, BinaryJunkTruncationAndHugeLinesNeverCrash) {
    std::string junk;
    std::uint32_t seed = 12345;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 1103515245 + 12345;
        junk += char(seed >> 16);
    }
    TextPropertyBag bag;
    bag.FromString(junk);
    bag.FromString("Font = Font{Name=\"DejaVu Sans\",Size=9,Bo");
    EXPECT_EQ(bag.Count(), 0u);
    EXPECT_EQ(bag.SkippedLines(), 1u);

    const auto dir = TempDir();
    const auto path = dir / "huge.txt";
    {
        std::ofstream file(path, std::ios::binary);
        file << "Huge = \"";
        const std::string block(1 << 20, 'x');
        for (std::size_t i = 0; i <= TextPropertyBag::kMaxLineBytes >> 20; ++i) file << block;
        file << "\"\nAfter = True\n";
    }
    bag.Load(path.string());
    EXPECT_EQ(bag.SkippedLines(), 1u);
    EXPECT_EQ(bag.ReadProperty("After", Variant()), Variant(true));
    std::filesystem::remove_all(dir);
}

TEST(TextPropertyBagMalformed, UnreadableFilesRaiseAndKeepTheContents) {
    const auto dir = TempDir();
    TextPropertyBag bag;
    bag.FromString("Kept = 1%");
    EXPECT_EQ(ErrorOf([&] { bag.Load((dir / "missing.txt").string()); }), 53);
    EXPECT_EQ(ErrorOf([&] { bag.Load(dir.string()); }), 75);
    EXPECT_EQ(ErrorOf([&] { bag.Save((dir / "no" / "such" / "dir.txt").string()); }), 75);
    EXPECT_EQ(bag.ReadProperty("Kept", Variant()), Variant(std::int16_t{1}));
    std::ofstream(dir / "bom.txt", std::ios::binary) << "\xEF\xBB\xBFKept = 2%\n";
    bag.Load((dir / "bom.txt").string());
    EXPECT_EQ(bag.ReadProperty("Kept", Variant()), Variant(std::int16_t{2}));
    std::filesystem::remove_all(dir);
}

TEST(TextPropertyBagMalformed, EveryTruncationKeepsTheCompleteLines) {
    TextPropertyBag written;
    for (const auto& [name, value] : EveryType()) written.WriteProperty(name, value, Variant());
    written.WriteProperty("Font", Variant(BoldSerif()), Variant::Nothing());
    const std::string text = written.ToString();
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
        const std::string_view prefix(text.data(), cut);
        TextPropertyBag bag;
        bag.FromString(prefix);
        const std::size_t completeLines =
            std::size_t(std::count(prefix.begin(), prefix.end(), '\n'));
        ASSERT_GE(bag.Count(), completeLines) << "cut at " << cut;
        for (std::size_t i = 0; i < completeLines && i < EveryType().size(); ++i) {
            const NamedValue expected = EveryType()[i];
            ExpectSameValue(bag.ReadProperty(expected.name, Variant("absent")), expected.value,
                            expected.name);
        }
    }
}

TEST(TextPropertyBagMalformed, FlippedBytesNeverCrashAndSkipOnlyDamagedLines) {
    TextPropertyBag written;
    for (const auto& [name, value] : EveryType()) written.WriteProperty(name, value, Variant());
    const std::string text = written.ToString();
    std::uint32_t seed = 7;
    for (int round = 0; round < 300; ++round) {
        std::string damaged = text;
        seed = seed * 1103515245 + 12345;
        const std::size_t at = (seed >> 8) % damaged.size();
        damaged[at] = char(seed >> 24);
        TextPropertyBag bag;
        bag.FromString(damaged);
        // At most the damaged line (or the two it was split into) is lost.
        EXPECT_GE(bag.Count() + 2, EveryType().size()) << "byte " << at;
    }
}
