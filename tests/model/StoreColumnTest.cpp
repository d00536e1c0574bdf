// Adding, inserting and removing columns: records, indices versus display positions, keys,
// the row-text column, and the errors of bad arguments.
#include "StoreTestSupport.h"

namespace vexa::test {
namespace {

TEST(StoreColumns, AddColWithoutArgumentsUsesTheDocumentedDefaults) {
    GridStore store;
    const std::int32_t width = store.CheckNewColumn(NewColumn{});
    const ColumnPlace place = store.InsertColumn(NewColumn{}, width, 0);
    EXPECT_EQ(place.index, 1);
    EXPECT_EQ(place.position, 1);
    const ColumnRecord& column = store.Columns().At(1);
    EXPECT_EQ(column.width, 64);
    EXPECT_TRUE(column.visible);
    EXPECT_EQ(column.headerText, "");
    EXPECT_EQ(column.headerTextFlags, 32800);
    EXPECT_EQ(column.headerIcon, -1);
    EXPECT_EQ(column.headerBackColor, 0xFFFFFFFFu);
    EXPECT_EQ(column.minWidth, -1);
    EXPECT_EQ(column.maxWidth, -1);
}

TEST(StoreColumns, WidthIsClampedToTheLimitsAndContradictoryLimitsAreRejected) {
    Vexa grid;
    grid.AddCol({.sKey = "narrow", .lWidth = 10, .lMinWidth = 20});
    grid.AddCol({.sKey = "wide", .lWidth = 500, .lMaxWidth = 100});
    EXPECT_EQ(grid.ColWidth("narrow"), 20);
    EXPECT_EQ(grid.ColWidth("wide"), 100);
    ExpectGridError([&] { grid.AddCol({.lMinWidth = 30, .lMaxWidth = 20}); }, 519,
                    "Column maximum width can not be less than its minimum width.");
    EXPECT_EQ(grid.ColCount(), 2);
}

TEST(StoreColumns, AnyNegativeWidthMeansTheDefaultWidth) {
    Vexa grid;
    grid.AddCol({.sKey = "a", .lWidth = -5});
    grid.AddCol({.sKey = "b", .lWidth = -5, .lMaxWidth = 30});
    grid.AddCol({.sKey = "c", .lWidth = 0});
    grid.AddCol("d");
    EXPECT_EQ(grid.ColWidth("a"), 64);
    EXPECT_EQ(grid.ColWidth("b"), 30);
    EXPECT_EQ(grid.ColWidth("c"), 0);  // zero is a width, not a request for the default
    EXPECT_EQ(grid.ColWidth("d"), 64);
}

TEST(StoreColumns, InsertingBeforeAColumnRenumbersTheLaterOnesAndMovesTheirCells) {
    GridStore store;
    for (const char* key : {"a", "b", "c"}) {
        NewColumn column;
        column.key = key;
        store.InsertColumn(column, store.CheckNewColumn(column), 0);
    }
    store.SetRowCount(2);
    store.Cell(2, 1).icon = 42;
    store.SetCurrentCell(1, 2);

    NewColumn inserted;
    inserted.key = "new";
    const ColumnPlace place = store.InsertColumn(inserted, 64, 2);

    EXPECT_EQ(place.index, 2);
    EXPECT_EQ(place.position, 2);
    EXPECT_EQ(store.ColIndex("b"), 3);
    EXPECT_EQ(store.ColIndex("c"), 4);
    EXPECT_EQ(store.Cell(3, 1).icon, 42);
    EXPECT_EQ(store.Cell(2, 1).icon, -1);
    EXPECT_TRUE(store.Cell(2, 2).NeedsRepaint());
    EXPECT_EQ(store.CurrentCol(), 3);
}

TEST(StoreColumns, InsertBeforeAKeyAndByPublicInterface) {
    Vexa grid;
    grid.AddCol("a");
    grid.AddCol("b");
    grid.AddCol({.sKey = "mid", .vColBefore = "b"});
    EXPECT_EQ(grid.ColIndex("mid"), 2);
    EXPECT_EQ(grid.ColIndex("b"), 3);
    EXPECT_EQ(grid.ColOrder("b"), 3);
    EXPECT_EQ(grid.ColKey(2), "mid");
}

TEST(StoreColumns, RemovingAMovedColumnDropsItsOwnCells) {
    GridStore store;
    for (int i = 0; i < 4; ++i) store.InsertColumn(NewColumn{}, 64, 0);
    store.SetRowCount(1);
    for (std::int32_t c = 1; c <= 4; ++c) store.Cell(c, 1).indent = std::int16_t(10 * c);
    // The user dragged column 3 to the front: positions now hold indices 3, 1, 2, 4.
    std::swap(store.Columns().At(1), store.Columns().At(3));
    std::swap(store.Columns().At(2), store.Columns().At(3));
    ASSERT_EQ(store.Columns().At(1).index, 3);

    store.RemoveColumnAt(store.ColPositionOf(3));

    EXPECT_EQ(store.ColCount(), 3);
    EXPECT_EQ(store.Cell(3, 1).indent, 40);  // the former column 4 is index 3 with its cells
    EXPECT_EQ(store.Cell(1, 1).indent, 10);
    EXPECT_EQ(store.Columns().At(1).index, 1);
    EXPECT_EQ(store.Columns().At(3).index, 3);
}

TEST(StoreColumns, RemovingColumnsAdjustsCurrentColumnAndTheLastEmptiesTheGrid) {
    GridStore store;
    for (int i = 0; i < 3; ++i) store.InsertColumn(NewColumn{}, 64, 0);
    store.SetRowCount(5);
    store.SetCurrentCell(2, 3);
    store.RemoveColumnAt(1);
    EXPECT_EQ(store.CurrentCol(), 2);
    store.RemoveColumnAt(2);
    EXPECT_EQ(store.CurrentCol(), 0);
    store.RemoveColumnAt(1);
    EXPECT_EQ(store.ColCount(), 0);
    EXPECT_EQ(store.RowCount(), 0);
    EXPECT_EQ(store.AllocatedRows(), 0);
    EXPECT_EQ(store.CurrentRow(), 0);
}

TEST(StoreColumns, RowTextColumnIsUniqueAndFollowsRenumbering) {
    Vexa grid;
    grid.AddCol("a");
    grid.AddCol({.sKey = "text", .bRowTextCol = true});
    ExpectGridError([&] { grid.AddCol({.sKey = "x", .bRowTextCol = true}); }, 517,
                    "Attempt to add more than one row text column.");
    EXPECT_EQ(grid.ColCount(), 2);

    GridStore store;
    store.InsertColumn(NewColumn{}, 64, 0);
    NewColumn text;
    text.rowTextColumn = true;
    store.InsertColumn(text, 64, 0);
    store.InsertColumn(NewColumn{}, 64, 1);
    EXPECT_EQ(store.RowTextColumn(), 3);
    store.RemoveColumnAt(1);
    EXPECT_EQ(store.RowTextColumn(), 2);
    EXPECT_TRUE(store.Columns().At(store.PositionOfIndex(2)).rowTextColumn);
}

TEST(StoreColumns, RowTextStartColKeepsNamingItsColumn) {
    Vexa grid;
    for (const char* key : {"a", "b", "c"}) grid.AddCol(key);
    grid.AddCol({.sKey = "text", .bRowTextCol = true});
    grid.SetRowTextStartCol(3);
    grid.AddCol({.sKey = "first", .vColBefore = 1});
    EXPECT_EQ(grid.RowTextStartCol(), grid.ColIndex("c"));
    EXPECT_EQ(grid.RowTextStartCol(), 4);
    grid.AddCol("last");  // appending renumbers nothing
    EXPECT_EQ(grid.RowTextStartCol(), 4);
    grid.RemoveCol("a");
    EXPECT_EQ(grid.RowTextStartCol(), grid.ColIndex("c"));
    EXPECT_EQ(grid.RowTextStartCol(), 3);
    grid.RemoveCol("c");  // its column is gone: not set any more
    EXPECT_EQ(grid.RowTextStartCol(), 0);

    grid.SetRowTextStartCol(1);
    grid.RemoveCol("text");  // removing the row-text column unsets it too
    EXPECT_EQ(grid.RowTextStartCol(), 0);
}

TEST(StoreColumnKeys, DuplicatesAreRejectedAndEmptyKeysAreAllowed) {
    Vexa grid;
    grid.AddCol("id");
    grid.AddCol();
    grid.AddCol();
    ExpectGridError([&] { grid.AddCol("id"); }, 515, kDuplicateKey);
    ExpectGridError([&] { grid.SetColKey(2, "id"); }, 515, kDuplicateKey);
    grid.SetColKey(1, "id");  // its own key again is no conflict
    grid.SetColKey(3, "");
    EXPECT_EQ(grid.ColIndex(""), 2);
    grid.AddCol("ID");  // keys are case-sensitive
    EXPECT_EQ(grid.ColIndex("ID"), 4);
    EXPECT_EQ(grid.ColCount(), 4);
}

TEST(StoreColumnKeys, UnknownKeysAndIndicesRaiseSubscriptOutOfRange) {
    Vexa grid;
    grid.AddCol("a");
    ExpectGridError([&] { grid.ColIndex("b"); }, 513, kSubscript);
    ExpectGridError([&] { grid.ColKey(0); }, 513, kSubscript);
    ExpectGridError([&] { grid.ColKey(2); }, 513, kSubscript);
    ExpectGridError([&] { grid.ColOrder(Variant::Null()); }, 513, kSubscript);
    ExpectGridError([&] { grid.RemoveCol("zz"); }, 513, kSubscript);
    ExpectGridError([&] { grid.AddCol({.vColBefore = 5}); }, 513, kSubscript);
    EXPECT_EQ(grid.ColCount(), 1);
}

TEST(StoreColumns, AFailingAddColLeavesEverythingAsItWas) {
    Vexa grid;
    grid.AddCol("a");
    grid.AddCol("b");
    grid.AddRow("r1");
    const StoreSnapshot before = StoreSnapshot::Of(grid);
    EXPECT_THROW(grid.AddCol("a"), Error);
    EXPECT_THROW(grid.AddCol({.sKey = "c", .vColBefore = "nope"}), Error);
    EXPECT_THROW(grid.RemoveCol(9), Error);
    EXPECT_EQ(StoreSnapshot::Of(grid), before);
}

}  // namespace
}  // namespace vexa::test
