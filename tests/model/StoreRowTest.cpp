// Adding, inserting and removing rows, RowCount, Clear: keys, current row, group rows
// and the errors of bad arguments.
#include "StoreTestSupport.h"

namespace vexa::test {
namespace {

TEST(StoreRows, RowsNeedColumns) {
    Vexa grid;
    ExpectGridError([&] { grid.AddRow(); }, 516, kNoColumns);
    ExpectGridError([&] { grid.SetRowCount(0); }, 516, kNoColumns);
    ExpectGridError([&] { grid.SetRowCount(-1); }, 514, kInvalidArg);
    grid.AddCol();
    grid.AddRow();
    grid.Clear(true);
    ExpectGridError([&] { grid.AddRow(); }, 516, kNoColumns);
}

TEST(StoreRows, InsertingARowShiftsLaterRowsKeysAndTheCurrentRow) {
    Vexa grid;
    grid.AddCol();
    grid.AddRow("a");
    grid.AddRow("b");
    grid.AddRow();
    grid.AddRow("d");
    grid.AddRow("new", 1);
    EXPECT_EQ(grid.RowIndex("new"), 1);
    EXPECT_EQ(grid.RowIndex("a"), 2);
    EXPECT_EQ(grid.RowIndex("b"), 3);
    EXPECT_EQ(grid.RowIndex("d"), 5);
    grid.AddRow({.vRowBefore = "d"});  // keyless insert before a key
    EXPECT_EQ(grid.RowIndex("d"), 6);
    EXPECT_EQ(grid.RowKey(5), "");
    EXPECT_EQ(grid.RowCount(), 6);

    GridStore store = StoreWithColumns(1);
    for (int i = 0; i < 3; ++i) Add(store, NewRow{});
    store.Cell(1, 2).icon = 7;
    store.SetCurrentCell(2, 1);
    NewRow visible;
    visible.height = 30;
    Add(store, visible, 1);
    EXPECT_EQ(store.CurrentRow(), 3);  // still the same row
    EXPECT_EQ(store.Cell(1, 3).icon, 7);
}

TEST(StoreRows, GroupRowCountFollowsEveryWayRowsComeAndGo) {
    GridStore store = StoreWithColumns(1);
    NewRow group;
    group.groupRow = true;
    for (int i = 0; i < 4; ++i) Add(store, i % 2 == 0 ? group : NewRow{});  // 1 and 3
    Add(store, group, 1);
    EXPECT_EQ(store.GroupRowCount(), 3);
    store.RemoveRowAt(1);
    EXPECT_EQ(store.GroupRowCount(), 2);
    store.RemoveRowAt(2);  // a plain row
    EXPECT_EQ(store.GroupRowCount(), 2);
    store.RemoveRowAt(store.RowCount());  // the last row, a plain one
    EXPECT_EQ(store.GroupRowCount(), 2);
    store.RemoveRowAt(store.RowCount());  // the last row, a group row
    EXPECT_EQ(store.GroupRowCount(), 1);
    store.ClearRows();
    EXPECT_EQ(store.GroupRowCount(), 0);
}

TEST(StoreRows, RemovingRowsUpdatesKeysTopsAndCurrentRow) {
    Vexa grid;
    grid.AddCol();
    for (const char* key : {"a", "b", "c", "d"}) grid.AddRow(key);
    grid.RemoveRow("b");
    EXPECT_EQ(grid.RowIndex("c"), 2);
    EXPECT_EQ(grid.RowIndex("d"), 3);
    ExpectGridError([&] { grid.RowIndex("b"); }, 513, kSubscript);
    grid.RemoveRow(1);
    EXPECT_EQ(grid.RowIndex("c"), 1);
    ExpectGridError([&] { grid.RemoveRow(Variant::Null()); }, 513, kSubscript);
    ExpectGridError([&] { grid.RemoveRow(3); }, 513, kSubscript);
    ExpectGridError([&] { grid.RemoveRow("zz"); }, 513, kSubscript);
    EXPECT_EQ(grid.RowCount(), 2);

    GridStore store = StoreWithColumns(1);
    for (int i = 0; i < 4; ++i) Add(store, NewRow{});
    store.SetCurrentCell(4, 1);
    store.RemoveRowAt(2);
    EXPECT_EQ(store.CurrentRow(), 3);
    store.RemoveRowAt(3);
    EXPECT_EQ(store.CurrentRow(), 0);
}

TEST(StoreRows, RemovingTheOnlyRowKeepsColumnsLikeClear) {
    Vexa grid;
    grid.AddCol("a");
    grid.AddCol("b");
    grid.AddRow("only");
    grid.RemoveRow("only");
    EXPECT_EQ(grid.RowCount(), 0);
    EXPECT_EQ(grid.ColCount(), 2);
    EXPECT_EQ(grid.MemMngAllocatedRows(), 0);
    ExpectGridError([&] { grid.RowIndex("only"); }, 513, kSubscript);
    grid.AddRow("only");  // the key is free again
    EXPECT_EQ(grid.RowIndex("only"), 1);
}

TEST(StoreRows, RowCountShrinksAndRecreatesPlainRows) {
    GridStore store = StoreWithColumns(2);
    NewRow group;
    group.groupRow = true;
    group.key = "g";
    group.height = 40;
    Add(store, NewRow{});
    Add(store, group);
    store.Cell(2, 2).icon = 9;
    store.SetCurrentCell(2, 1);
    EXPECT_EQ(store.GroupRowCount(), 1);

    store.SetRowCount(1);
    EXPECT_EQ(store.RowCount(), 1);
    EXPECT_EQ(store.GroupRowCount(), 0);
    EXPECT_EQ(store.CurrentRow(), 0);
    EXPECT_EQ(store.Keys().Count(), 0);

    store.SetRowCount(3);
    EXPECT_EQ(store.Row(2).Key(), "");
    EXPECT_FALSE(store.Row(2).groupRow);
    EXPECT_EQ(store.Row(2).height, 15);
    EXPECT_EQ(store.Cell(2, 2).icon, -1);
}

TEST(StoreRows, RowCountThroughTheControl) {
    Vexa grid;
    grid.AddCol();
    grid.SetRowCount(1000);
    EXPECT_EQ(grid.RowCount(), 1000);
    grid.SetRowKey(1000, "last");
    grid.SetRowCount(10);
    ExpectGridError([&] { grid.RowIndex("last"); }, 513, kSubscript);
    grid.SetRowCount(0);
    EXPECT_EQ(grid.RowCount(), 0);
}

TEST(StoreRows, ClearKeepsColumnsUnlessAskedToRemoveThem) {
    Vexa grid;
    grid.AddCol("a");
    grid.SetMemMngWantFreeRows(10);
    grid.AddRow("x");
    grid.Clear();
    EXPECT_EQ(grid.RowCount(), 0);
    EXPECT_EQ(grid.MemMngAllocatedRows(), 0);
    EXPECT_EQ(grid.ColIndex("a"), 1);
    grid.AddRow("x");
    grid.Clear(true);
    EXPECT_EQ(grid.ColCount(), 0);
    ExpectGridError([&] { grid.ColIndex("a"); }, 513, kSubscript);
}

TEST(StoreRows, AFailingRowCallLeavesEverythingAsItWas) {
    Vexa grid;
    grid.AddCol("c");
    grid.AddRow("a");
    grid.AddRow("b");
    const StoreSnapshot before = StoreSnapshot::Of(grid);
    EXPECT_THROW(grid.AddRow("a"), Error);
    EXPECT_THROW(grid.AddRow("z", 3), Error);
    EXPECT_THROW(grid.AddRow("z", "nope"), Error);
    EXPECT_THROW(grid.SetRowKey(1, "b"), Error);
    EXPECT_THROW(grid.SetRowCount(-5), Error);
    EXPECT_EQ(StoreSnapshot::Of(grid), before);
}

}  // namespace
}  // namespace vexa::test
