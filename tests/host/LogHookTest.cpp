// The log hook hears of what the grid swallows by design, and the operation completes.
#include <stdexcept>

#include <gtest/gtest.h>
#include "vexa/vexa.h"

namespace vexa {
namespace {

struct LogCapture {
    LogCapture() {
        previous = SetLogHook([this](const LogEntry& entry) { entries.push_back(entry); });
    }
    ~LogCapture() { SetLogHook(previous); }
    std::vector<LogEntry> entries;
    LogHook previous;
};

TEST(LogHookTest, AThrowingHandlerIsLoggedWithItsEventAndNeitherItNorAThrowingHookStopsTheWork) {
    LogCapture log;
    Vexa grid;
    grid.AddCol({.eSortType = vxSortByCustomer});
    grid.SetRowCount(3);
    for (std::int32_t r = 1; r <= 3; ++r) grid.SetCellValue(r, 1, 4 - r);
    struct Throwing : VexaEvents {
        void CustomSort(Variant&, Variant&, bool&) override {
            throw std::runtime_error("host bug");
        }
        void ScrollBarThicknessChanged(EScrollBar, std::int32_t) override {}
        void RequestRowData(std::int32_t) override { throw Error(7, "host", "out of memory"); }
        void RequestRow(std::int32_t row, bool& noMore) override { noMore = row > 2; }
    } throwing;
    grid.Advise(&throwing);
    EXPECT_NO_THROW(grid.Sort(Variant(1)));
    ASSERT_FALSE(log.entries.empty());
    EXPECT_EQ(log.entries[0].where, "CustomSort");
    EXPECT_EQ(log.entries[0].what, "host bug");
    EXPECT_EQ(grid.RowCount(), 3);

    log.entries.clear();
    grid.Clear();
    grid.SetVirtual(true);
    grid.Draw();
    EXPECT_EQ(grid.RowCount(), 2);  // the rows came although their data handler failed
    ASSERT_EQ(log.entries.size(), 2u);
    EXPECT_EQ(log.entries[0].where, "RequestRowData");
    EXPECT_EQ(log.entries[0].number, 7);

    // A hook that throws is contained, and without a hook nothing is written.
    SetLogHook([](const LogEntry&) { throw std::runtime_error("hook bug"); });
    EXPECT_NO_THROW(grid.Sort(Variant(1)));
    SetLogHook({});
    EXPECT_NO_THROW(grid.Sort(Variant(1)));
}

}  // namespace
}  // namespace vexa
