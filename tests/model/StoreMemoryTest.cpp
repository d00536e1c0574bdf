// Row memory reservation: the allocation window of MemMngWantFreeRows and trimming through
// MemMngAllocatedRows.
#include <climits>

#include "StoreTestSupport.h"

namespace vexa::test {
namespace {

TEST(StoreMemory, ReservationWindowGrowsAndShrinksInBlocks) {
    Vexa grid;
    grid.AddCol();
    grid.SetMemMngWantFreeRows(100);
    EXPECT_EQ(grid.MemMngAllocatedRows(), 0);  // takes effect at the next row change
    grid.AddRow();
    EXPECT_EQ(grid.MemMngAllocatedRows(), 101);
    for (int i = 0; i < 100; ++i) grid.AddRow();
    EXPECT_EQ(grid.MemMngAllocatedRows(), 101);
    grid.AddRow();
    EXPECT_EQ(grid.MemMngAllocatedRows(), 202);
    grid.RemoveRow(1);
    EXPECT_EQ(grid.RowCount(), 101);
    EXPECT_EQ(grid.MemMngAllocatedRows(), 201);
}

TEST(StoreMemory, WithoutAWindowTheAllocationFollowsTheRowCount) {
    Vexa grid;
    grid.AddCol();
    for (int i = 0; i < 5; ++i) grid.AddRow();
    EXPECT_EQ(grid.MemMngAllocatedRows(), 5);
    grid.RemoveRow(5);
    EXPECT_EQ(grid.MemMngAllocatedRows(), 4);
    grid.SetRowCount(50);
    EXPECT_EQ(grid.MemMngAllocatedRows(), 50);
}

TEST(StoreMemory, AllocatedRowsCanOnlyBeTrimmedDownToTheRowCount) {
    Vexa grid;
    grid.AddCol();
    grid.SetMemMngWantFreeRows(10);
    grid.SetRowCount(3);
    ASSERT_EQ(grid.MemMngAllocatedRows(), 13);
    ExpectGridError([&] { grid.SetMemMngAllocatedRows(14); }, 514, kInvalidArg);
    ExpectGridError([&] { grid.SetMemMngAllocatedRows(2); }, 514, kInvalidArg);
    ExpectGridError([&] { grid.SetMemMngWantFreeRows(-1); }, 514, kInvalidArg);
    EXPECT_EQ(grid.MemMngWantFreeRows(), 10);
    grid.SetMemMngAllocatedRows(3);
    EXPECT_EQ(grid.MemMngAllocatedRows(), 3);
    EXPECT_EQ(grid.RowCount(), 3);
    grid.AddRow("kept");
    EXPECT_EQ(grid.RowIndex("kept"), 4);
    EXPECT_EQ(grid.MemMngAllocatedRows(), 14);
}

TEST(StoreMemory, TheWindowOnlyActsWhenTheRowCountChanges) {
    Vexa grid;
    grid.AddCol();
    grid.SetRowCount(5);
    grid.SetMemMngWantFreeRows(20);
    EXPECT_EQ(grid.MemMngAllocatedRows(), 5);
    grid.SetRowCount(5);  // no change of the row count
    EXPECT_EQ(grid.MemMngAllocatedRows(), 5);
    grid.SetRowCount(6);
    EXPECT_EQ(grid.MemMngAllocatedRows(), 26);
    grid.SetRowCount(30);  // above the 26 allocated: 30 + 20
    EXPECT_EQ(grid.MemMngAllocatedRows(), 50);
    grid.SetRowCount(30);
    grid.SetMemMngAllocatedRows(50);  // the same value changes nothing
    EXPECT_EQ(grid.MemMngAllocatedRows(), 50);
    grid.SetRowCount(29);  // below 50 - 20: the allocation shrinks to 29 + 20
    EXPECT_EQ(grid.MemMngAllocatedRows(), 49);
    grid.SetMemMngWantFreeRows(0);
    grid.SetRowCount(10);
    EXPECT_EQ(grid.MemMngAllocatedRows(), 10);
    grid.SetRowCount(0);
    EXPECT_EQ(grid.MemMngAllocatedRows(), 0);
}

TEST(StoreMemory, EmptyingTheGridReleasesTheAllocation) {
    Vexa grid;
    grid.AddCol();
    grid.SetMemMngWantFreeRows(100);
    grid.AddRow();
    ASSERT_EQ(grid.MemMngAllocatedRows(), 101);
    grid.Clear();
    EXPECT_EQ(grid.MemMngAllocatedRows(), 0);
    EXPECT_EQ(grid.MemMngWantFreeRows(), 100);  // the window itself stays
    grid.AddRow();
    EXPECT_EQ(grid.MemMngAllocatedRows(), 101);
    grid.RemoveCol(1);  // the last column
    EXPECT_EQ(grid.MemMngAllocatedRows(), 0);
    EXPECT_EQ(grid.RowCount(), 0);
    ExpectGridError([&] { grid.SetMemMngAllocatedRows(1); }, 514, kInvalidArg);
    grid.SetMemMngAllocatedRows(0);
}

TEST(StoreMemory, AWindowAsWideAsTheRangeNeitherOverflowsNorFillsMemory) {
    Vexa grid;
    grid.AddCol();
    grid.SetMemMngWantFreeRows(INT32_MAX);
    grid.AddRow("a");
    EXPECT_EQ(grid.MemMngAllocatedRows(), INT32_MAX);  // 1 + the window stops at the range
    grid.AddRow("b", 1);
    grid.SetCellValue("a", 1, 7);
    EXPECT_EQ(grid.RowIndex("a"), 2);
    EXPECT_EQ(grid.CellValue(2, 1).ToLong(), 7);
    EXPECT_EQ(grid.MemMngAllocatedRows(), INT32_MAX);
    grid.SetMemMngAllocatedRows(2);
    EXPECT_EQ(grid.MemMngAllocatedRows(), 2);
    grid.SetMemMngWantFreeRows(INT32_MAX - 1);
    grid.SetRowCount(3);
    EXPECT_EQ(grid.MemMngAllocatedRows(), INT32_MAX);
    EXPECT_EQ(grid.CellValue("a", 1).ToLong(), 7);
    grid.SetMemMngWantFreeRows(100'000'000);
    grid.SetMemMngAllocatedRows(3);
    grid.AddRow();
    EXPECT_EQ(grid.MemMngAllocatedRows(), 100'000'004);
    EXPECT_EQ(grid.RowCount(), 4);
}

TEST(StoreMemory, CellsSurviveEveryResizeOfTheReservation) {
    Vexa grid;
    grid.AddCol();
    grid.AddCol();
    grid.SetMemMngWantFreeRows(3);
    for (int r = 1; r <= 10; ++r) {
        grid.AddRow("r" + std::to_string(r));
        grid.SetCellValue(r, 2, r * 10);
    }
    grid.SetMemMngAllocatedRows(10);
    grid.SetMemMngWantFreeRows(0);
    grid.RemoveRow(1);
    for (int r = 2; r <= 10; ++r) {
        EXPECT_EQ(grid.CellValue("r" + std::to_string(r), 2).ToLong(), r * 10);
    }
}

}  // namespace
}  // namespace vexa::test
