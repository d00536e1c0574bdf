// Filling the grid from recordsets: columns made from fields, columns matched by key,
// recordsets that must be counted by walking them, and refusal of Nothing.
#include <gtest/gtest.h>

#include "vexa/system/data/Connection.h"
#include "vexa/system/data/Recordset.h"
#include "vexa/vexa.h"

namespace vexa {
namespace {

class FillFromRecordsetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        db.Execute(
            "CREATE TABLE parts (done BOOLEAN, qty INTEGER, name TEXT);"
            "INSERT INTO parts VALUES (1, 10, 'nut'), (0, NULL, 'bolt'), (1, 30, 'washer');");
    }
    Variant Parts() { return Variant(db.OpenRecordset("SELECT * FROM parts ORDER BY qty")); }

    Connection db{":memory:"};
    Vexa grid;
};

TEST_F(FillFromRecordsetTest, EmptyGridGetsAColumnPerFieldShapedByItsType) {
    grid.FillFromRS(Parts());
    ASSERT_EQ(grid.ColCount(), 3);
    EXPECT_EQ(grid.ColKey(1), "done");
    EXPECT_EQ(grid.ColHeaderText(2), "qty");
    EXPECT_EQ(grid.ColKey(3), "name");
    EXPECT_EQ(grid.CellType(1, "done"), vxCellCheck);
    EXPECT_NE(grid.CellTextFlags(1, "qty") & vxTextRight, 0);
    EXPECT_EQ(grid.CellTextFlags(1, "name") & vxTextRight, 0);
    ASSERT_EQ(grid.RowCount(), 3);
    EXPECT_TRUE(grid.CellValue(1, "qty").IsNull());  // NULL sorts first in SQL
    EXPECT_EQ(grid.CellValue(1, "name").ToString(), "bolt");
    EXPECT_EQ(grid.CellValue(3, "qty").ToLong(), 30);
}

TEST_F(FillFromRecordsetTest, ExistingColumnsKeepTheirOrderAndUnknownKeysAreLeftOut) {
    grid.AddCol("name");
    grid.AddCol("color");
    grid.AddCol("qty");
    grid.AddRow();
    grid.SetCellValue(1, "color", "stale");
    grid.FillFromRS(Parts());
    EXPECT_EQ(grid.ColCount(), 3);
    ASSERT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(grid.CellValue(2, "name").ToString(), "nut");
    EXPECT_EQ(grid.CellValue(2, "qty").ToLong(), 10);
    EXPECT_EQ(grid.CellValue(2, "color").ToString(), "");  // left at its default
    EXPECT_EQ(grid.CellTextFlags(2, "qty") & vxTextRight, 0);
}

// A recordset that cannot tell its count and must be walked from the first record.
class ForwardOnlyRecordset : public Object {
  public:
    explicit ForwardOnlyRecordset(std::shared_ptr<Recordset> inner) : inner_(std::move(inner)) {}
    Variant Invoke(std::string_view member, std::span<const Variant> args,
                   InvokeKind kind) override {
        if (MemberIs(member, "Supports")) return Variant(false);
        if (MemberIs(member, "RecordCount")) return Variant(-1);
        if (MemberIs(member, "MoveNext")) ++moves;
        return inner_->Invoke(member, args, kind);
    }
    int moves = 0;

  private:
    std::shared_ptr<Recordset> inner_;
};

TEST_F(FillFromRecordsetTest, UncountedRecordsetsAreCountedByWalking) {
    auto rs = std::make_shared<ForwardOnlyRecordset>(db.OpenRecordset("SELECT name FROM parts"));
    grid.FillFromRS(Variant(rs));
    EXPECT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(rs->moves, 6);  // three to count, three to fill
    EXPECT_EQ(grid.CellValue(3, 1).ToString(), "washer");
}

TEST_F(FillFromRecordsetTest, NothingIsRefusedBeforeAnythingChanges) {
    grid.AddCol("a");
    grid.AddRow();
    try {
        grid.FillFromRS(Variant::Nothing());
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.Number(), static_cast<std::int32_t>(0x80040000u + 514));
    }
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_THROW(grid.FillFromRS(Variant(5)), Error);
}

TEST_F(FillFromRecordsetTest, AnEmptyRecordsetLeavesNoRows) {
    grid.FillFromRS(Variant(db.OpenRecordset("SELECT * FROM parts WHERE qty > 100")));
    EXPECT_EQ(grid.ColCount(), 3);
    EXPECT_EQ(grid.RowCount(), 0);
}

}  // namespace
}  // namespace vexa
