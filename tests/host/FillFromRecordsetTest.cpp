// Filling the grid from recordsets: columns made from fields, columns matched by key,
// recordsets that must be counted by walking them, and refusal of Nothing.
#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

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

TEST_F(FillFromRecordsetTest, ARepeatedFieldNameShiftsNoLaterFieldIntoAnotherColumn) {
    // The second "name" cannot become a column (its key is taken); qty and done still fill
    // their own columns.
    grid.FillFromRS(
        Variant(db.OpenRecordset("SELECT name, name, qty, done FROM parts "
                                 "ORDER BY qty")));
    ASSERT_EQ(grid.ColCount(), 3);
    EXPECT_EQ(grid.ColKey(3), "done");
    ASSERT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(grid.CellValue(3, "name").ToString(), "washer");
    EXPECT_TRUE(grid.CellValue(1, "qty").IsNull());
    EXPECT_EQ(grid.CellValue(3, "qty").ToLong(), 30);
    EXPECT_FALSE(grid.CellValue(1, "done").ToBoolean());
    EXPECT_TRUE(grid.CellValue(3, "done").ToBoolean());
}

// Any object offering the recordset members will do: fields of chosen type codes whose
// values are 100 * record + field, and a count it cannot tell (-1), whether or not it
// supports telling it, or has no Supports member at all.
class TypedRecordset : public Object {
  public:
    explicit TypedRecordset(std::vector<std::int32_t> types, std::size_t records = 1)
        : types_(std::move(types)), records_(records) {}
    Variant Invoke(std::string_view member, std::span<const Variant> args,
                   InvokeKind kind) override {
        calls.emplace_back(member);
        if (MemberIs(member, "Supports")) {
            if (supports.IsEmpty()) return Object::Invoke(member, args, kind);  // raises 438
            return supports;
        }
        if (MemberIs(member, "RecordCount")) return Variant(-1);
        if (MemberIs(member, "MoveFirst")) position_ = 0;
        if (MemberIs(member, "MoveNext") && ++moves == failingMove) throw 42;
        if (MemberIs(member, "MoveNext")) ++position_;
        if (MemberIs(member, "EOF")) return Variant(position_ >= records_);
        if (MemberIs(member, "Fields")) {
            if (args.empty()) return Variant(std::make_shared<FieldCount>(types_.size()));
            const auto j = std::size_t(args[0].ToLong());
            return Variant(std::make_shared<TypedField>(*this, j, types_[j]));
        }
        return Variant();
    }
    std::vector<std::string> calls;
    Variant supports{true};
    int failingMove = 0;  // the MoveNext call that throws; 0: none
    int moves = 0;

  private:
    struct FieldCount : Object {
        explicit FieldCount(std::size_t count) : count(count) {}
        Variant Invoke(std::string_view, std::span<const Variant>, InvokeKind) override {
            return Variant(std::int32_t(count));
        }
        std::size_t count;
    };
    struct TypedField : Object {
        TypedField(TypedRecordset& rs, std::size_t j, std::int32_t type)
            : rs(rs), j(j), type(type) {}
        Variant Invoke(std::string_view member, std::span<const Variant>, InvokeKind) override {
            if (MemberIs(member, "Name")) return Variant("f" + std::to_string(j));
            if (MemberIs(member, "Type")) return Variant(type);
            return Variant(std::int32_t(rs.position_ * 100 + j));
        }
        TypedRecordset& rs;
        std::size_t j;
        std::int32_t type;
    };
    std::vector<std::int32_t> types_;
    std::size_t records_;
    std::size_t position_ = 0;
};

TEST_F(FillFromRecordsetTest, EveryNumericTypeIsRightAlignedAndOnlyBooleansAreChecks) {
    const std::vector<std::int32_t> numeric = {2, 3, 4, 5, 6, 14, 16, 17, 18, 19, 20, 21, 131};
    const std::vector<std::int32_t> other = {0, 7, 8, 72, 128, 129, 130, 135, 200, 202, 203};
    std::vector<std::int32_t> types = numeric;
    types.push_back(11);
    types.insert(types.end(), other.begin(), other.end());
    auto rs = std::make_shared<TypedRecordset>(types);
    grid.FillFromRS(Variant(rs));
    ASSERT_EQ(grid.ColCount(), std::int32_t(types.size()));
    ASSERT_EQ(grid.RowCount(), 1);
    for (std::size_t j = 0; j < types.size(); ++j) {
        const auto col = std::int32_t(j + 1);
        const bool right = j < numeric.size();
        EXPECT_EQ((grid.CellTextFlags(1, col) & vxTextRight) != 0, right) << types[j];
        EXPECT_EQ(grid.CellType(1, col) == vxCellCheck, types[j] == 11) << types[j];
        EXPECT_EQ(grid.ColKey(col), "f" + std::to_string(j));
    }
    EXPECT_EQ(grid.CellValue(1, 3).ToLong(), 2);  // the field's value, not the field
}

TEST_F(FillFromRecordsetTest, UntoldCountsAreWalkedWhateverTheReason) {
    for (const Variant& supports : {Variant(true), Variant(false), Variant()}) {
        Vexa filled;
        auto rs = std::make_shared<TypedRecordset>(std::vector<std::int32_t>{3}, 3);
        rs->supports = supports;
        filled.FillFromRS(Variant(rs));
        EXPECT_EQ(filled.RowCount(), 3) << TypeName(supports);
        EXPECT_EQ(rs->moves, 6) << "three to count, three to fill";
        EXPECT_EQ(filled.CellValue(3, 1).ToLong(), 200);
        if (!supports.ToBoolean()) continue;
        // Asked, then walked from the first record until EOF.
        ASSERT_GE(rs->calls.size(), 5u);
        EXPECT_EQ(
            std::vector<std::string>(rs->calls.begin(), rs->calls.begin() + 5),
            (std::vector<std::string>{"Supports", "RecordCount", "MoveFirst", "EOF", "MoveNext"}));
    }
}

TEST_F(FillFromRecordsetTest, AWalkThatFailsKeepsTheRecordsCountedSoFar) {
    auto rs = std::make_shared<TypedRecordset>(std::vector<std::int32_t>{3}, 5);
    rs->failingMove = 3;  // the third MoveNext, leaving the third record
    grid.FillFromRS(Variant(rs));
    ASSERT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(grid.CellValue(1, 1).ToLong(), 0);
    EXPECT_EQ(grid.CellValue(2, 1).ToLong(), 100);
    EXPECT_EQ(grid.CellValue(3, 1).ToLong(), 200);
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
