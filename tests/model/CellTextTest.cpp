// The displayed text of cells: every kind of value, format strings of numbers, dates and
// text, and the cell types that show no text.
#include <gtest/gtest.h>

#include <vector>

#include "StoreTestSupport.h"

namespace vexa {
namespace {

// 1 January 2026, a Thursday, as a date serial.
constexpr double kJan1st2026 = 46023.0;

class CellTextTest : public ::testing::Test {
  protected:
    void SetUp() override {
        grid.AddCol("a");
        grid.SetRowCount(1);
    }
    std::string TextOf(const Variant& value, const std::string& format = {}) {
        grid.SetCellValue(1, 1, value);
        grid.SetCellFmtString(1, 1, format);
        return grid.CellText(1, 1);
    }
    Vexa grid;
};

TEST_F(CellTextTest, PlainValuesShowTheirStringConversion) {
    EXPECT_EQ(TextOf(Variant(true)), "True");
    EXPECT_EQ(TextOf(Variant(false)), "False");
    EXPECT_EQ(TextOf(Variant()), "");  // Empty
    EXPECT_EQ(TextOf(Variant(std::int16_t{-5})), "-5");
    EXPECT_EQ(TextOf(Variant(std::uint8_t{7})), "7");
    EXPECT_EQ(TextOf(Variant(0.5)), "0.5");
    EXPECT_EQ(TextOf(Variant::Currency(125000)), "12.5");
    EXPECT_EQ(TextOf(Variant::Decimal("1.10")), "1.1");
    EXPECT_EQ(TextOf(Variant::Date(kJan1st2026 + 1)), "1/2/2026");
    EXPECT_EQ(TextOf(Variant::Date(kJan1st2026 + 0.5)), "1/1/2026 12:00:00 PM");
    EXPECT_EQ(TextOf(Variant("text")), "text");
}

TEST_F(CellTextTest, ValuesWithoutAStringFormShowNothing) {
    EXPECT_EQ(TextOf(Variant(std::vector<Variant>{Variant(1), Variant(2)})), "");
    EXPECT_EQ(TextOf(Variant::Null()), "");
}

TEST_F(CellTextTest, FormatStringsOfNumbersDatesAndText) {
    EXPECT_EQ(TextOf(Variant(1234.5), "#,##0.00"), "1,234.50");
    EXPECT_EQ(TextOf(Variant(0.25), "Percent"), "25.00%");
    EXPECT_EQ(TextOf(Variant(-2), "0;(0)"), "(2)");
    EXPECT_EQ(TextOf(Variant::Date(kJan1st2026 + 1), "yyyy-mm-dd"), "2026-01-02");
    EXPECT_EQ(TextOf(Variant("abc"), ">"), "ABC");
    // A Null value takes the fourth section of a number format.
    EXPECT_EQ(TextOf(Variant::Null(), "0;-0;\"zero\";\"none\""), "none");
    EXPECT_EQ(TextOf(Variant(0), "0;-0;\"zero\";\"none\""), "zero");
}

TEST_F(CellTextTest, WeeksStartOnSundayAndTheFirstWeekHoldsJanuaryFirst) {
    // 3 January 2026 is a Saturday, 4 January the Sunday after it.
    EXPECT_EQ(TextOf(Variant::Date(kJan1st2026 + 2), "ww"), "1");
    EXPECT_EQ(TextOf(Variant::Date(kJan1st2026 + 3), "ww"), "2");
    EXPECT_EQ(TextOf(Variant::Date(kJan1st2026 + 3), "w"), "1");
    EXPECT_EQ(TextOf(Variant::Date(kJan1st2026 + 2), "w"), "7");
}

TEST_F(CellTextTest, CheckComboAndCustomDrawCellsShowNoText) {
    for (std::int32_t type : {vxCellCheck, vxCellCombo, vxCellCustomDraw}) {
        grid.SetCellType(1, 1, type);
        EXPECT_EQ(TextOf(Variant(12)), "") << "type " << type;
        EXPECT_EQ(TextOf(Variant(12), "0.00"), "") << "type " << type;
    }
    grid.SetCellType(1, 1, vxCellText);
    EXPECT_EQ(grid.CellText(1, 1), "12.00");  // value and format were kept all along
}

TEST_F(CellTextTest, DefaultCellValueAndFormatGiveTheTextOfNewRows) {
    auto cell = grid.ColDefaultCell("a");
    cell->SetvValue(Variant::Date(kJan1st2026));
    cell->SetsFmtString("mmm d");
    grid.AddRow();
    EXPECT_EQ(grid.CellText(2, "a"), "Jan 1");
    cell->SeteType(vxCellCheck);
    grid.AddRow();
    EXPECT_EQ(grid.CellText(3, "a"), "");
    EXPECT_EQ(grid.CellValue(3, "a"), Variant(std::int32_t{0}));
}

}  // namespace
}  // namespace vexa
