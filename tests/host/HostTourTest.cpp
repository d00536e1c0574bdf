// What a host does first: fill a grid from a database, format a column, sort, read back.
#include <gtest/gtest.h>

#include "vexa/system/data/Connection.h"
#include "vexa/system/data/Recordset.h"
#include "vexa/system/data/SampleDatabase.h"
#include "vexa/vexa.h"

using namespace vexa;

namespace {

// The value of field `index` of the recordset's current record, reached by member name.
Variant FieldValue(const std::shared_ptr<Object>& recordset, int index) {
    const Variant fields = GetMember(recordset, "Fields");
    const Variant field = CallMember(fields.ToObject(), "Item", std::vector<Variant>{index});
    return GetMember(field.ToObject(), "Value");
}

struct ProductsGrid : ::testing::Test {
    ProductsGrid() {
        CreateProductsTable(db, 40);
        grid.FillFromRS(Variant(db.OpenRecordset("SELECT id, name, price FROM products")));
    }
    Connection db{":memory:"};
    Vexa grid;
};

}  // namespace

TEST_F(ProductsGrid, FillingGivesOneRowPerRecordAndOneColumnPerField) {
    EXPECT_EQ(grid.RowCount(), 40);
    EXPECT_EQ(grid.ColCount(), 3);
    const std::shared_ptr<Object> records = db.OpenRecordset("SELECT id, name FROM products");
    for (std::int32_t row = 1; row <= grid.RowCount(); ++row) {
        EXPECT_EQ(grid.CellValue(row, 1), FieldValue(records, 0)) << "row " << row;
        EXPECT_EQ(grid.CellValue(row, 2), FieldValue(records, 1)) << "row " << row;
        CallMember(records, "MoveNext");
    }
}

TEST_F(ProductsGrid, FormattedTextFollowsTheValue) {
    grid.SetCellFmtString(1, 3, "#,##0.00");
    grid.SetCellValue(1, 3, 1234.5);
    EXPECT_EQ(grid.CellText(1, 3), "1,234.50");
    grid.SetCellValue(1, 3, Variant::Null());
    EXPECT_EQ(grid.CellText(1, 3), "");
}

TEST_F(ProductsGrid, SortingByPriceDescendingOrdersEveryRow) {
    grid.SortObject().SetColCount(1);
    grid.SortObject().SetSortCol(1, 3);
    grid.SortObject().SetSortOrder(1, vxSortDesc);
    grid.Sort();
    ASSERT_EQ(grid.RowCount(), 40);
    for (std::int32_t row = 2; row <= grid.RowCount(); ++row) {
        const Variant above = grid.CellValue(row - 1, 3), below = grid.CellValue(row, 3);
        if (above.IsNull() || below.IsNull()) {
            EXPECT_TRUE(below.IsNull()) << "Nulls come last when descending, row " << row;
        } else {
            EXPECT_GE(CompareVariants(above, below), 0) << "row " << row;
        }
    }
}
