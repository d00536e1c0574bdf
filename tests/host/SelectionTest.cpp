// The current cell and the selection through the public members: bad arguments change
// nothing, the edge cases of moving and selecting, the mode switches, the current cell
// following its row through structural changes, and handlers that meddle with the grid.
#include <functional>
#include <stdexcept>

#include "SelectionTestSupport.h"

namespace vexa::test {
namespace {

using namespace sys;

std::int32_t ErrorCode(const std::function<void()>& call) {
    try {
        call();
    } catch (const Error& error) {
        return error.Number() - std::int32_t(0x80040000u);
    }
    return 0;
}

class SelectionMembers : public SelectionGrid {
  protected:
    // The changes a call caused, in the short form.
    std::string After(const std::function<void()>& call) {
        log.Clear();
        call();
        return Changes();
    }
    bool RowShown(std::int32_t row) {
        std::int32_t sr, sc, sx, sy, er, ec, ex, ey;
        grid().GetStartEndCell(sr, sc, sx, sy, er, ec, ex, ey);
        return row >= sr && row <= er;
    }
};

TEST_F(SelectionMembers, BadArgumentsRaise513BeforeAnythingChanges) {
    Fill({60, 60}, 5);
    grid().SetCurCell(2, 2);
    log.Clear();
    Vexa& g = grid();
    // clang-format off
    const std::function<void()> calls[] = {
        [&] { g.SetCurRow(6); }, [&] { g.SetCurRow(-1); }, [&] { g.SetCurCol(3); },
        [&] { g.SetCurCell(6, 1); }, [&] { g.SetCurCell(1, "nokey"); },
        [&] { g.SetCurCell(Variant(true), 1); }, [&] { g.SetCurCell(1, Variant()); },
        [&] { g.SetCellSelected(0, 1, true); }, [&] { g.CellSelected(1, "nokey"); },
        [&] { g.FindSearchMatchRow(3, "1"); }};
    // clang-format on
    for (const auto& call : calls) EXPECT_EQ(ErrorCode(call), 513);
    EXPECT_EQ(Current(), "2.2");
    EXPECT_EQ(Selected(), "2.2");
    EXPECT_TRUE(log.entries.empty());
}

TEST_F(SelectionMembers, MovingTheCurrentCellAndItsEdgeCases) {
    Fill({60, 60}, 100);
    EXPECT_EQ(After([&] { grid().SetCurCell(3, "c2"); }), "+3.2 @3.2");
    EXPECT_EQ(After([&] { grid().SetCurRow(3); }), "");
    EXPECT_EQ(After([&] { grid().SetCurRow(0); }), "-3.2 @0.2");
    EXPECT_EQ(After([&] { grid().SetCurCell(50, 1); }), "+50.1 @50.1");
    EXPECT_TRUE(RowShown(50));
    grid().EnsureVisibleRow(1, vxEnsVisRowTopForce);
    EXPECT_FALSE(RowShown(50));
    EXPECT_EQ(After([&] { grid().SetCurCell(50, 1); }), "");  // only brought into view
    EXPECT_TRUE(RowShown(50));
    EXPECT_EQ(After([&] { grid().SetCellSelected(7, 2, false); }), "");
    EXPECT_EQ(After([&] { grid().SetCellSelected(7, 2, true); }), "-50.1 +7.2 @7.2");
    EXPECT_EQ(After([&] { grid().ClearSelection(); }), "-7.2 @0.0");
    EXPECT_EQ(Current(), "0.0");
}

TEST_F(SelectionMembers, ModeSwitchesFitTheSelection) {
    Fill({60, 60, 60}, 4);
    grid().SetCurCell(2, 2);
    grid().SetMultiSelect(true);
    EXPECT_EQ(After([&] { grid().SetCellSelected(4, 1, true); }), "+4.1");
    EXPECT_EQ(After([&] { grid().SetRowMode(true); }), "+2.1 +2.3 +4.2 +4.3");
    EXPECT_EQ(After([&] { grid().SetCellSelected(3, 1, true); }), "+3.1 +3.2 +3.3");
    EXPECT_EQ(After([&] { grid().SetRowMode(false); }), "-2.1 -2.3 -3.1 -3.2 -3.3 -4.1 -4.2 -4.3");
    grid().SetCellSelected(1, 3, true);
    EXPECT_EQ(After([&] { grid().SetMultiSelect(false); }), "-1.3");
    EXPECT_EQ(After([&] { grid().SetRowMode(true); }), "+2.1 +2.3");
    EXPECT_EQ(Current(), "2.2");
}

TEST_F(SelectionMembers, TheCurrentCellFollowsItsRowThroughStructuralChanges) {
    Fill({60, 60}, 6);
    grid().SetCurCell(5, 2);
    EXPECT_EQ(After([&] { grid().RemoveRow(1); }), "@4.2");
    EXPECT_EQ(After([&] { grid().AddRow({.vRowBefore = 1}); }), "@5.2");
    EXPECT_EQ(After([&] { grid().AddRow(); }), "");
    grid().SetCellValue(5, 1, "0");  // sorts before the other values
    const std::string sorted = After([&] { grid().Sort(1); });
    EXPECT_EQ(sorted, "@" + Current());
    EXPECT_EQ(grid().CellValue(grid().CurRow(), 1).ToString(), "0");
    EXPECT_EQ(After([&] { grid().RemoveRow(grid().CurRow()); }), "@0.2");
    grid().SetCurCell(2, 1);
    EXPECT_EQ(After([&] { grid().Clear(); }), "@0.0");
}

// A host that changes the grid from inside the selection or the current-cell events.
struct Meddler : VexaEvents {
    std::function<void()> action;
    bool onCurCell = false;
    int refused = 0;  // changes of the tables' shape refused while the selection walked them
    bool busy = false;
    void CurCellChange(std::int32_t, std::int32_t) override { Run(onCurCell); }
    void CellSelectionChange(std::int32_t, std::int32_t, bool) override { Run(!onCurCell); }
    void Run(bool wanted) {
        if (!wanted || busy) return;
        busy = true;
        try {
            refused += ErrorCode(action) == 514;
        } catch (...) {
            busy = false;
            throw;
        }
        busy = false;
    }
};

TEST_F(SelectionMembers, HandlersThatChangeTheGridCannotBreakIt) {
    Vexa& g = grid();
    // clang-format off
    const std::function<void()> actions[] = {
        [] { throw std::runtime_error("host"); }, [&] { g.RemoveRow(std::max(g.CurRow(), 1)); },
        [&] { g.Clear(); }, [&] { g.Sort(2); }, [&] { g.RemoveCol(1); }};
    // clang-format on
    for (bool onCurCell : {false, true}) {
        for (const auto& action : actions) {
            g.Clear(true);
            Fill({60, 60, 60}, 6);
            g.SetMultiSelect(true);
            Meddler meddler;
            meddler.action = action;
            meddler.onCurCell = onCurCell;
            g.Advise(&meddler);
            Focus();
            Press({{VK_DOWN}, {VK_DOWN, kShift}, {VK_END, kShift}, {VK_SPACE, kCtrl}});
            g.SetCurCell(std::min(g.RowCount(), 2), std::min(g.ColCount(), 1));
            g.SetRowMode(true);
            g.ClearSelection();
            g.SetRowMode(false);
            g.Unadvise(&meddler);
            EXPECT_TRUE(g.CurRow() >= 0 && g.CurRow() <= g.RowCount() && g.CurCol() >= 0 &&
                        g.CurCol() <= g.ColCount());
            if (!onCurCell && &action != &actions[0]) {
                EXPECT_GT(meddler.refused, 0);
            }
        }
    }
}

}  // namespace
}  // namespace vexa::test
