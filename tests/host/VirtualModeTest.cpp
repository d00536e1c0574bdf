// Virtual mode: painting asks the host for rows one by one as far as they fit the view, until
// the host refuses; a refused request is not repeated until Virtual is set again.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

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
    std::int32_t lastRow = 5;
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

TEST_F(VirtualModeTest, PaintingAddsGrantedRowsThenAsksForTheirDataUntilARefusal) {
    EXPECT_FALSE(grid.Virtual());
    grid.SetVirtual(true);
    EXPECT_TRUE(grid.Virtual());
    EXPECT_TRUE(supplier.log.empty()) << "switching on requests nothing by itself";
    grid.Draw();
    EXPECT_EQ(grid.RowCount(), 5);
    EXPECT_EQ(std::vector<std::string>(supplier.log.begin(), supplier.log.begin() + 4),
              (std::vector<std::string>{"request1", "data1/1", "request2", "data2/2"}));
    EXPECT_EQ(supplier.log.back(), "request6");
    EXPECT_EQ(grid.CellValue(2, 1).ToLong(), 20);
    EXPECT_EQ(std::count(supplier.log.begin(), supplier.log.end(), "data6/6"), 0);

    // Refused once, nothing is asked again until Virtual is set again.
    supplier.log.clear();
    supplier.lastRow = 1000000;
    grid.Draw();
    EXPECT_TRUE(supplier.log.empty());
    grid.SetVirtual(true);
    grid.Draw();
    EXPECT_EQ(supplier.log.front(), "request6");
    // Then rows fill the view and no more: the last one asked for is the first that does not
    // fit entirely.
    std::int32_t left = 0, top = 0, width = 0, height = 0;
    grid.CellBoundary(grid.RowCount(), 1, left, top, width, height);
    EXPECT_GT(grid.RowCount(), 10);
    EXPECT_GE(top + height, 300);
    EXPECT_LT(grid.RowCount(), 100);
}

TEST_F(VirtualModeTest, AThrowingHandlerDoesNotBreakTheRequest) {
    struct Failing : VexaEvents {
        void RequestRow(std::int32_t, bool&) override { throw std::runtime_error("host"); }
    } failing;
    grid.Advise(&failing);
    grid.SetVirtual(true);
    EXPECT_NO_THROW(grid.Draw());
    EXPECT_EQ(grid.RowCount(), 5);
    grid.Unadvise(&failing);
}

TEST_F(VirtualModeTest, ARowThatCannotBeAddedAsksForNoDataAndRaisesNothing) {
    struct RemovesColumns : VexaEvents {
        explicit RemovesColumns(Vexa& grid) : grid(grid) {}
        void RequestRow(std::int32_t, bool&) override {
            if (grid.ColCount() > 0) grid.RemoveCol(1);
        }
        Vexa& grid;
    } remover{grid};
    grid.Advise(&remover);
    grid.SetVirtual(true);
    EXPECT_NO_THROW(grid.Draw());
    EXPECT_EQ(grid.RowCount(), 0);
    EXPECT_EQ(supplier.log, (std::vector<std::string>{"request1"}));
    grid.Unadvise(&remover);

    // The next request works as usual.
    grid.AddCol("v");
    grid.Draw();
    EXPECT_EQ(grid.RowCount(), 5);
    EXPECT_EQ(supplier.log[2], "data1/1");
}

}  // namespace
}  // namespace vexa
