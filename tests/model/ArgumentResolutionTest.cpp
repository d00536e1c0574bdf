// Turning row and column arguments into indices: numbers, keys, other variant types, and
// column index versus display position.
#include "StoreTestSupport.h"

#include "vexa/model/ArgumentResolution.h"

namespace vexa::test {
namespace {

class ArgumentResolution : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* key : {"a", "b", "c"}) {
            NewColumn column;
            column.key = key;
            store.InsertColumn(column, 64, 0);
        }
        for (const char* key : {"r1", "r2"}) {
            NewRow row;
            row.key = key;
            store.InsertRow(row, 0, store.CheckNewRow(row));
        }
    }
    GridStore store;
};

TEST_F(ArgumentResolution, NumbersAndKeysResolveToIndices) {
    EXPECT_EQ(store.ResolveRowArg(std::int16_t(2)), 2);
    EXPECT_EQ(store.ResolveRowArg(1.0), 1);
    EXPECT_EQ(store.ResolveRowArg("r2"), 2);
    EXPECT_EQ(store.ResolveColArg(std::uint8_t(3)), 3);
    EXPECT_EQ(store.ResolveColArg("b"), 2);
    store.ResolveCellArgs("r1", "c");
    EXPECT_EQ(store.ResolvedRow(), 1);
    EXPECT_EQ(store.ResolvedCol(), 3);
}

TEST_F(ArgumentResolution, BadArgumentsRaiseSubscriptOutOfRange) {
    ExpectGridError([&] { store.ResolveRowArg(3); }, 513, kSubscript);
    ExpectGridError([&] { store.ResolveRowArg(0); }, 513, kSubscript);
    ExpectGridError([&] { store.ResolveRowArg("nope"); }, 513, kSubscript);
    ExpectGridError([&] { store.ResolveRowArg(true); }, 513, kSubscript);
    ExpectGridError([&] { store.ResolveRowArg(Variant()); }, 513, kSubscript);
    ExpectGridError([&] { store.ResolveColArg(1e12); }, 513, kSubscript);
    ExpectGridError([&] { store.ResolveCellArgs(99, "zz"); }, 513, kSubscript);
}

TEST_F(ArgumentResolution, OnlyNumericVariantTypesAreIndices) {
    EXPECT_TRUE(IsNumericArg(std::int16_t(1)));
    EXPECT_TRUE(IsNumericArg(std::int32_t(1)));
    EXPECT_TRUE(IsNumericArg(1.5f));
    EXPECT_TRUE(IsNumericArg(std::uint8_t(1)));
    EXPECT_FALSE(IsNumericArg("1"));
    EXPECT_FALSE(IsNumericArg(true));
    EXPECT_FALSE(IsNumericArg(Variant::Null()));
}

TEST_F(ArgumentResolution, ColumnPositionFollowsTheDisplayOrder) {
    std::swap(store.Columns().At(1), store.Columns().At(3));  // column 3 shown first
    EXPECT_EQ(store.ColPositionOf(3), 1);
    EXPECT_EQ(store.ColPositionOf(1), 3);
    EXPECT_EQ(store.ColPositionOf("c"), 1);
    EXPECT_EQ(store.PositionOfIndex(2), 2);
    EXPECT_EQ(store.PositionOfIndex(4), 0);
    ExpectGridError([&] { store.ColPositionOf(4); }, 513, kSubscript);
}

}  // namespace
}  // namespace vexa::test
