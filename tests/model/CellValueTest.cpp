// Cell values and the displayed text of cells: every kind of value, format strings of
// numbers, dates and text, and the cell types that show no text.
#include <gtest/gtest.h>

#include <vector>

#include "StoreTestSupport.h"
#include "vexa/model/CellObject.h"
#include "vexa/system/automation/RuntimeError.h"

namespace vexa::test {
namespace {

// 1 January 2026, a Thursday, as a date serial.
constexpr double kJan1st2026 = 46023.0;

// An object whose ToString names it, and one whose ToString fails.
class Named : public Object {
  public:
    explicit Named(std::string name, bool fails = false) : name_(std::move(name)), fails_(fails) {}
    Variant Invoke(std::string_view member, std::span<const Variant> args,
                   InvokeKind kind) override {
        if (!MemberIs(member, "ToString")) return Object::Invoke(member, args, kind);
        if (fails_) RaiseRuntimeError(rtInvalidProcedureCall);
        return Variant(name_);
    }

  private:
    std::string name_;
    bool fails_;
};

class CellValueTest : public TwoColumnGrid<3> {
  protected:
    std::string TextOf(const Variant& value, const std::string& format = {}) {
        grid.SetCellValue(1, 1, value);
        grid.SetCellFmtString(1, 1, format);
        return grid.CellText(1, 1);
    }
};

TEST_F(CellValueTest, NewCellsHoldTheFreshDefaults) {
    EXPECT_EQ(grid.CellValue(1, 1), Variant(std::string()));
    EXPECT_EQ(grid.CellIndent(1, 1), 2);
    EXPECT_EQ(grid.CellRightIndent(1, 1), 2);
    EXPECT_EQ(grid.CellIcon(1, 1), -1);
    EXPECT_EQ(grid.CellExtraIcon(1, 1), -1);
    EXPECT_EQ(grid.CellHatch(1, 1), vxHatchNone);
    EXPECT_EQ(grid.CellTextFlags(1, 1), 32800);
    EXPECT_EQ(grid.CellType(1, 1), vxCellText);
    EXPECT_EQ(grid.CellBackColor(1, 1), kDefaultColor);
    EXPECT_EQ(grid.CellFmtString(1, 1), "");
}

TEST_F(CellValueTest, ValuesRoundTripByIndexAndKey) {
    grid.SetRowKey(2, "second");
    grid.SetCellValue("second", "b", Variant(42));
    EXPECT_EQ(grid.CellValue(2, 2), Variant(42));
    EXPECT_EQ(grid.CellText(2, "b"), "42");
    auto object = std::make_shared<Named>("x");
    grid.SetCellValue(1, 1, Variant(object));
    EXPECT_EQ(grid.CellValue(1, 1).ToObject(), object);  // by reference
}

TEST_F(CellValueTest, BadAddressesRaise513AndChangeNothing) {
    ExpectGridError([&] { grid.SetCellValue(4, 1, Variant(1)); }, 513, kSubscript);
    ExpectGridError([&] { grid.SetCellValue(1, 3, Variant(1)); }, 513, kSubscript);
    ExpectGridError([&] { grid.CellText("nokey", 1); }, 513, kSubscript);
    ExpectGridError([&] { grid.SetCellIndent(0, 1, 5); }, 513, kSubscript);
    for (int r = 1; r <= 3; ++r) {
        for (int c = 1; c <= 2; ++c) {
            EXPECT_EQ(grid.CellValue(r, c), Variant(std::string()));
            EXPECT_EQ(grid.CellIndent(r, c), 2);
        }
    }
}

TEST_F(CellValueTest, EachKindOfValueShowsItsTextWithOrWithoutAFormat) {
    const auto date = [](double days) { return Variant::Date(kJan1st2026 + days); };
    const std::string nullSection = "0;-0;\"zero\";\"none\"";
    const struct {
        Variant value;
        std::string format;
        std::string text;
    } cases[] = {
        {Variant(true), "", "True"},
        {Variant(false), "", "False"},
        {Variant(), "", ""},  // Empty
        {Variant(std::int16_t{-5}), "", "-5"},
        {Variant(std::uint8_t{7}), "", "7"},
        {Variant(0.5), "", "0.5"},
        {Variant(3.14159), "", "3.14159"},
        {Variant::Currency(125000), "", "12.5"},
        {Variant::Decimal("1.10"), "", "1.1"},
        {date(1), "", "1/2/2026"},
        {date(0.5), "", "1/1/2026 12:00:00 PM"},
        {Variant("text"), "", "text"},
        {Variant::ErrorValue(5), "", "Error 5"},
        // Values without a string form show nothing.
        {Variant(std::vector<Variant>{Variant(1), Variant(2)}), "", ""},
        {Variant::Null(), "", ""},
        {Variant::Nothing(), "", ""},
        {Variant(std::make_shared<Named>("x", true)), "", ""},
        {Variant(std::make_shared<Object>()), "", ""},  // no ToString at all
        // Objects show their ToString even with a format.
        {Variant(std::make_shared<Named>("widget")), "0.00", "widget"},
        {Variant(3.14159), "0.00", "3.14"},
        {Variant(1234.5), "#,##0.00", "1,234.50"},
        {Variant(0.25), "Percent", "25.00%"},
        {Variant(-2), "0;(0)", "(2)"},
        {date(1), "yyyy-mm-dd", "2026-01-02"},
        {Variant("abc"), ">", "ABC"},
        // A Null value takes the fourth section of a number format.
        {Variant::Null(), nullSection, "none"},
        {Variant(0), nullSection, "zero"},
        // Weeks start on Sunday and the first week holds 1 January: 3 January 2026 is a
        // Saturday, 4 January the Sunday after it.
        {date(2), "ww", "1"},
        {date(3), "ww", "2"},
        {date(3), "w", "1"},
        {date(2), "w", "7"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(TextOf(cases[i].value, cases[i].format), cases[i].text)
            << "case " << i << ", format " << cases[i].format;
    }
}

TEST_F(CellValueTest, CheckComboAndCustomDrawCellsShowNoText) {
    for (std::int32_t type : {vxCellCheck, vxCellCombo, vxCellCustomDraw}) {
        grid.SetCellType(1, 1, type);
        EXPECT_EQ(TextOf(Variant(12)), "") << "type " << type;
        EXPECT_EQ(TextOf(Variant(12), "0.00"), "") << "type " << type;
    }
    grid.SetCellType(1, 1, vxCellText);
    EXPECT_EQ(grid.CellText(1, 1), "12.00");  // value and format were kept all along
}

TEST_F(CellValueTest, DefaultCellValueAndFormatGiveTheTextOfNewRows) {
    auto cell = grid.ColDefaultCell("a");
    cell->SetvValue(Variant::Date(kJan1st2026));
    cell->SetsFmtString("mmm d");
    grid.AddRow();
    EXPECT_EQ(grid.CellText(4, "a"), "Jan 1");
    cell->SeteType(vxCellCheck);
    grid.AddRow();
    EXPECT_EQ(grid.CellText(5, "a"), "");
    EXPECT_EQ(grid.CellValue(5, "a"), Variant(std::int32_t{0}));
}

TEST_F(CellValueTest, FormatStringsShareOneEntry) {
    grid.SetCellFmtString(1, 1, "0.0");
    grid.SetCellFmtString(2, 2, "0.0");
    grid.SetCellFmtString(3, 1, "");
    EXPECT_EQ(grid.CellFmtString(2, 2), "0.0");
    EXPECT_EQ(grid.CellFmtString(3, 1), "");
    EXPECT_EQ(grid.CellFmtString(1, 2), "");
}

TEST(CellInitValueTest, InitialValuesOfEachType) {
    Vexa grid;
    EXPECT_EQ(grid.InitValue(vxCellText), Variant(std::string()));
    EXPECT_TRUE(grid.InitValue(vxCellCombo).IsEmpty());
    EXPECT_TRUE(grid.InitValue(vxCellCustomDraw).IsEmpty());
    EXPECT_EQ(grid.InitValue(vxCellCheck), Variant(std::int32_t{0}));
    ExpectGridError([&] { grid.InitValue(4); }, 514, kInvalidArg);
    ExpectGridError([&] { grid.InitValue(-1); }, 514, kInvalidArg);
}

}  // namespace
}  // namespace vexa::test
