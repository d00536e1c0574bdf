// Turning row and column arguments into indices: numbers, keys, other variant types, and
// column index versus display position.
#include <utility>

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
        for (const char* key : {"r1", "r2"}) AddKeyed(store, key);
    }
    GridStore store;
};

TEST_F(ArgumentResolution, NumbersAndKeysResolveToIndices) {
    EXPECT_EQ(store.ResolveRowArg(std::int16_t(2)), 2);
    EXPECT_EQ(store.ResolveRowArg(1.0), 1);
    EXPECT_EQ(store.ResolveRowArg("r2"), 2);
    EXPECT_EQ(store.ResolveColArg(std::uint8_t(3)), 3);
    EXPECT_EQ(store.ResolveColArg("b"), 2);
    for (const auto& [row, col] : {std::pair<Variant, Variant>{"r1", "c"}, {1, 3}, {1.0, 3}}) {
        const CellIndices cell = store.ResolveCellArgs(row, col);
        EXPECT_EQ(cell.row, 1);
        EXPECT_EQ(cell.col, 3);
        EXPECT_EQ(store.ResolvedRow(), 1);
        EXPECT_EQ(store.ResolvedCol(), 3);
    }
}

TEST_F(ArgumentResolution, BadArgumentsRaiseSubscriptOutOfRange) {
    ExpectGridError([&] { store.ResolveRowArg(3); }, 513, kSubscript);
    ExpectGridError([&] { store.ResolveRowArg(0); }, 513, kSubscript);
    ExpectGridError([&] { store.ResolveRowArg("nope"); }, 513, kSubscript);
    ExpectGridError([&] { store.ResolveRowArg(true); }, 513, kSubscript);
    ExpectGridError([&] { store.ResolveRowArg(Variant()); }, 513, kSubscript);
    ExpectGridError([&] { store.ResolveColArg(1e12); }, 513, kSubscript);
    for (const auto& [row, col] : {std::pair{99, 1}, {0, 1}, {3, 1}, {1, 0}, {1, 4}, {-1, -1}}) {
        ExpectGridError([&] { store.ResolveCellArgs(row, col); }, 513, kSubscript);
    }
    ExpectGridError([&] { store.ResolveCellArgs(99, "zz"); }, 513, kSubscript);
}

TEST_F(ArgumentResolution, OnlyNumericVariantTypesAreIndices) {
    for (const Variant& number :
         {Variant(std::int16_t(1)), Variant(1), Variant(1.5f), Variant(std::uint8_t(1))}) {
        EXPECT_TRUE(IsNumericArg(number)) << "type " << number.Type();
    }
    for (const Variant& other : {Variant("1"), Variant(true), Variant::Null()}) {
        EXPECT_FALSE(IsNumericArg(other)) << "type " << other.Type();
    }
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

// An object whose default value is the given value, as late binding reads it.
class Valued : public Object {
  public:
    explicit Valued(Variant value) : value_(std::move(value)) {}
    Variant Invoke(std::string_view member, std::span<const Variant> args,
                   InvokeKind kind) override {
        if (!MemberIs(member, "Value")) return Object::Invoke(member, args, kind);
        return value_;
    }

  private:
    Variant value_;
};

TEST(ColumnKeyArguments, KeysCompareWithTheArgumentAsVariantsDo) {
    Vexa grid;
    grid.AddCol("b");
    grid.AddCol("True");
    grid.AddCol();
    grid.AddCol("1");
    // An object stands for its default value.
    EXPECT_EQ(grid.ColOrder(Variant(std::make_shared<Valued>(Variant("b")))), 1);
    EXPECT_EQ(grid.ColOrder(Variant(std::make_shared<Valued>(Variant("True")))), 2);
    // Empty equals the empty key.
    EXPECT_EQ(grid.ColOrder(Variant()), 3);
    // A Boolean, a date or Null never equals a text, even one that reads like it.
    ExpectGridError([&] { grid.ColOrder(true); }, 513, kSubscript);
    ExpectGridError([&] { grid.ColOrder(Variant::Date(1.0)); }, 513, kSubscript);
    ExpectGridError([&] { grid.ColOrder(Variant::Null()); }, 513, kSubscript);
    // A number held by an object is a value to compare, not a column index.
    ExpectGridError([&] { grid.ColOrder(Variant(std::make_shared<Valued>(Variant(2)))); }, 513,
                    kSubscript);
    EXPECT_EQ(grid.ColOrder(2), 2);
}

TEST(ColumnKeyArguments, ValuesThatCannotBeComparedNameNoColumn) {
    Vexa grid;
    grid.AddCol("a");
    grid.AddCol();
    ExpectGridError([&] { grid.ColOrder(Variant::ErrorValue(448)); }, 513, kSubscript);
    ExpectGridError([&] { grid.ColOrder(Variant(std::vector<Variant>{Variant("a")})); }, 513,
                    kSubscript);
    ExpectGridError([&] { grid.ColOrder(Variant(std::make_shared<Object>())); }, 513, kSubscript);
    ExpectGridError([&] { grid.ColOrder(Variant::Nothing()); }, 513, kSubscript);
    ExpectGridError([&] { grid.RemoveCol(Variant::ErrorValue(448)); }, 513, kSubscript);
    EXPECT_EQ(grid.ColCount(), 2);
}

TEST(ColumnKeyArguments, StructuralCallsAcceptAnObjectNamingAColumn) {
    Vexa grid;
    grid.AddCol("a");
    grid.AddCol("b");
    const Variant b(std::make_shared<Valued>(Variant("b")));
    grid.AddCol({.sKey = "mid", .vColBefore = b});
    EXPECT_EQ(grid.ColIndex("mid"), 2);
    EXPECT_EQ(grid.ColIndex("b"), 3);
    grid.RemoveCol(b);
    EXPECT_EQ(grid.ColCount(), 2);
    ExpectGridError([&] { grid.ColIndex("b"); }, 513, kSubscript);
}

}  // namespace
}  // namespace vexa::test
