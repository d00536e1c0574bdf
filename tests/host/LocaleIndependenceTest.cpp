// A host that sets a comma-decimal locale for the C library (as Qt and GTK programs do) sees
// the grid exactly as under the "C" locale: cell texts, the order of a sort by value and by
// text, a property file written and read back, and the layout strings.
#include <clocale>
#include <cstdio>

#include "common/GridOnForm.h"

namespace vexa::test {
namespace {

class LocaleIndependence : public GridOnForm {
  protected:
    void TearDown() override { std::setlocale(LC_ALL, "C"); }

    // Everything the grid shows or stores as text, after the same work, in one transcript.
    std::string Transcript() {
        ResetGrid();
        RecreateGrid({});
        Fill({80, 80}, 0);
        const double values[] = {1234567.891, 2.5, -0.125, 10.25, 1e-7};
        for (double value : values) {
            grid().AddRow();
            const std::int32_t row = grid().RowCount();
            grid().SetCellValue(row, 1, value);
            grid().SetCellValue(row, 2, Variant(value).ToString());
            grid().SetCellFmtString(row, 1, row % 2 ? "#,##0.00" : "");
        }
        std::string transcript;
        const auto texts = [&] {
            for (std::int32_t row = 1; row <= grid().RowCount(); ++row)
                transcript += grid().CellText(row, 1) + "|" + grid().CellText(row, 2) + ";";
            transcript += "\n";
        };
        texts();
        grid().Sort(Variant(1));
        texts();
        grid().SetColSortType(2, vxSortByText);
        grid().Sort(Variant(2));
        texts();
        grid().SetColWidth(1, 123);
        grid().DoDefaultSort(1, 0, vxSortDesc);
        transcript += grid().LayoutCol() + "/" + grid().LayoutSort() + "\n";

        TextPropertyBag bag;
        bag.WriteProperty("Ratio", Variant(2.5), Variant());
        bag.WriteProperty("Price", Variant(1234.5).ConvertTo(vtCurrency), Variant());
        grid().SetBackColorEvenRows(0x123456);
        grid().WriteProperties(bag);
        transcript += bag.ToString();
        TextPropertyBag reread;
        reread.FromString(bag.ToString());
        transcript += reread.ReadProperty("Ratio", Variant()).ToString() + "|" +
                      reread.ReadProperty("Price", Variant()).ToString() + "\n";
        return transcript;
    }
};

TEST_F(LocaleIndependence, ACommaDecimalLocaleChangesNothingTheGridShowsOrStores) {
    ASSERT_TRUE(std::setlocale(LC_ALL, "C"));
    const std::string plain = Transcript();
    ASSERT_TRUE(std::setlocale(LC_ALL, "de_DE.UTF-8")) << "no de_DE.UTF-8: run scripts/setup";
    char printed[8];
    std::snprintf(printed, sizeof printed, "%.1f", 2.5);
    ASSERT_STREQ(printed, "2,5") << "the C library writes a decimal comma now";
    EXPECT_EQ(Transcript(), plain);
    // And what it is: en-US digits and separators.
    EXPECT_NE(plain.find("1,234,567.89|1234567.891;"), std::string::npos) << plain;
    EXPECT_NE(plain.find("2.5|1234.5\n"), std::string::npos) << plain;
}

}  // namespace
}  // namespace vexa::test
