// Row memory reservation: the allocation window of MemMngWantFreeRows and trimming through
// MemMngAllocatedRows.
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

}  // namespace
}  // namespace vexa::test
