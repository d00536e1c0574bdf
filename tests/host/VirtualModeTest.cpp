// Virtual mode: rows are requested from the host one by one until it refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "vexa/vexa.h"

namespace vexa {
namespace {

struct RowSupplier : VexaEvents {
    explicit RowSupplier(Vexa& grid) : grid(grid) {}
    void RequestRow(std::int32_t lRow, bool& bNoMoreRows) override {
        log.push_back("request" + std::to_string(lRow) + (bNoMoreRows ? "!" : ""));
        if (lRow > lastRow) bNoMoreRows = true;
    }
    void RequestRowData(std::int32_t lRow) override {
        log.push_back("data" + std::to_string(lRow) + "/" + std::to_string(grid.RowCount()));
        grid.SetCellValue(lRow, 1, lRow * 10);
    }
    Vexa& grid;
    std::int32_t lastRow = 50;
    std::vector<std::string> log;
};

class VirtualModeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        grid.AddCol("v");
        grid.Advise(&supplier);
    }
    Vexa grid;
    RowSupplier supplier{grid};
};

TEST_F(VirtualModeTest, SwitchingOnRequestsNothingByItself) {
    EXPECT_FALSE(grid.Virtual());
    grid.SetVirtual(true);
    EXPECT_TRUE(grid.Virtual());
    EXPECT_TRUE(supplier.log.empty());
    EXPECT_EQ(grid.RowCount(), 0);
}

TEST_F(VirtualModeTest, GrantedRequestsAddARowThenAskForItsData) {
    grid.SetVirtual(true);
    grid.RequestVirtualRow(1);
    grid.RequestVirtualRow(2);
    EXPECT_EQ(supplier.log,
              (std::vector<std::string>{"request1", "data1/1", "request2", "data2/2"}));
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.CellValue(2, 1).ToLong(), 20);
}

TEST_F(VirtualModeTest, ARefusalAddsNothingAndRaisesNoDataEvent) {
    grid.SetVirtual(true);
    for (std::int32_t r = 1; r <= 51; ++r) grid.RequestVirtualRow(r);
    EXPECT_EQ(grid.RowCount(), 50);
    EXPECT_EQ(supplier.log.back(), "request51");
    EXPECT_EQ(std::count(supplier.log.begin(), supplier.log.end(), "data51/51"), 0);
}

TEST_F(VirtualModeTest, AThrowingHandlerDoesNotBreakTheRequest) {
    struct Failing : VexaEvents {
        void RequestRow(std::int32_t, bool&) override { throw std::runtime_error("host"); }
    } failing;
    grid.Advise(&failing);
    grid.SetVirtual(true);
    EXPECT_NO_THROW(grid.RequestVirtualRow(1));
    EXPECT_EQ(grid.RowCount(), 1);
    grid.Unadvise(&failing);
}

TEST_F(VirtualModeTest, ARowThatCannotBeAddedAsksForNoDataAndRaisesNothing) {
    struct RemovesColumns : VexaEvents {
        explicit RemovesColumns(Vexa& grid) : grid(grid) {}
        void RequestRow(std::int32_t, bool&) override { grid.RemoveCol(1); }
        Vexa& grid;
    } remover{grid};
    grid.Advise(&remover);
    grid.SetVirtual(true);
    EXPECT_NO_THROW(grid.RequestVirtualRow(1));
    EXPECT_EQ(grid.RowCount(), 0);
    EXPECT_EQ(supplier.log, (std::vector<std::string>{"request1"}));
    grid.Unadvise(&remover);

    // The next request works as usual.
    grid.AddCol("v");
    grid.RequestVirtualRow(1);
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(supplier.log.back(), "data1/1");
}

}  // namespace
}  // namespace vexa
